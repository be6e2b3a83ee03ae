#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

class Clock;
struct RunOutcome;
class TrayIcon;

// The tray's warning that backups went wrong while nobody watched: the
// warning icon, a tooltip saying what and when, and one desktop notification
// when it comes; the normal icon and tooltip back when it goes. While a run
// goes, the tooltip says how far it has got, then what it said before.
class TrayWarning {
public:
    TrayWarning(TrayIcon& tray, const Clock& clock, QLocale locale);

    // After a run: failures noted in the log warn; a run without failures
    // clears the warning. Failures shown in boxes were seen, and change nothing.
    void runEnded(const RunOutcome& outcome);
    // How far the run under way has got.
    void runGoing(const QString& tip);
    // Keeping to the schedule, no run has completed since then for too long.
    // The next completed run takes it away, whatever "On Failure" says.
    void noBackupSince(const QDateTime& since);
    // Failures are shown again rather than noted: no warning is left.
    void clear();
    bool isShown() const { return m_shown; }

private:
    void noteOutcome(const RunOutcome& outcome);
    void setTip(const QString& tip);

    TrayIcon& m_tray;
    const Clock& m_clock;
    QLocale m_locale;
    bool m_shown = false;
    QString m_tip = QStringLiteral("Quillstead"); // the tooltip, but for a run's
    bool m_runTipShown = false;
};

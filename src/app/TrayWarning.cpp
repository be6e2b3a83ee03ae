#include "TrayWarning.h"

#include <QCoreApplication>

#include "ProgramIcon.h"
#include "engine/BackupRun.h"
#include "engine/DateText.h"
#include "platform/Clock.h"
#include "platform/TrayIcon.h"

TrayWarning::TrayWarning(TrayIcon& tray, const Clock& clock, QLocale locale)
    : m_tray(tray)
    , m_clock(clock)
    , m_locale(std::move(locale))
{
}

void TrayWarning::runEnded(const RunOutcome& outcome)
{
    noteOutcome(outcome);
    if (m_runTipShown)
        setTip(m_tip);
}

void TrayWarning::runGoing(const QString& tip)
{
    m_tray.setToolTip(tip);
    m_runTipShown = true;
}

void TrayWarning::noteOutcome(const RunOutcome& outcome)
{
    const int failed = outcome.failed;
    if (failed == 0) {
        if (outcome.end == RunOutcome::End::Completed)
            clear();
        return;
    }
    if (!outcome.noted)
        return;
    m_shown = true;
    const QString when = generalDateText(m_clock.now(), m_locale);
    const QString text = failed == 1
        ? QCoreApplication::translate("TrayWarning", "1 file could not be backed up in the last run, at %1.")
              .arg(when)
        : QCoreApplication::translate(
            "TrayWarning", "%1 files could not be backed up in the last run, at %2.")
              .arg(failed)
              .arg(when);
    m_tray.setIcon(trayPicture(programWarningIcon()));
    setTip(QStringLiteral("Quillstead: ") + text);
    m_tray.showMessage(QStringLiteral("Quillstead"), text);
}

void TrayWarning::noBackupSince(const QDateTime& since)
{
    m_shown = true;
    const QString text = QCoreApplication::translate("TrayWarning", "No backup since %1")
                             .arg(generalDateText(since.toLocalTime(), m_locale));
    m_tray.setIcon(trayPicture(programWarningIcon()));
    setTip(text);
    m_tray.showMessage(QStringLiteral("Quillstead"), text);
}

void TrayWarning::clear()
{
    if (!m_shown)
        return;
    m_tray.setIcon(trayPicture(programIcon()));
    setTip(QStringLiteral("Quillstead"));
    m_shown = false;
}

void TrayWarning::setTip(const QString& tip)
{
    m_tip = tip;
    m_tray.setToolTip(tip);
    m_runTipShown = false;
}

#pragma once

#include <QObject>
#include <QString>
#include <functional>

class BackupTrigger;
class Clock;
class Dialogs;
class QGroupBox;
class QProgressBar;
class StopRequest;

// "Backup Now (Test)": one backup run at once, with the busy pointer, its
// outcome shown for five seconds, then the earlier status caption back.
class ImmediateBackup : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        QGroupBox* statusFrame;
        QProgressBar* countdownBar;
    };
    // stop: raised when the program closes; no step runs after that.
    ImmediateBackup(Widgets widgets, BackupTrigger& trigger, const Clock& clock, Dialogs& dialogs,
        const StopRequest& stop, QObject* parent = nullptr);

    // The click handler of backupNowButton.
    void backUpNow();

signals:
    // The busy pointer goes on before the run and off after it.
    void busyChanged(bool busy);

private:
    void step(int lineLabel, const std::function<void()>& work);

    Widgets m_widgets;
    BackupTrigger& m_trigger;
    const Clock& m_clock;
    Dialogs& m_dialogs;
    const StopRequest& m_stop;
};

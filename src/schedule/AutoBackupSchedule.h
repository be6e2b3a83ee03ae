#pragma once

#include "Countdown.h"
#include "ScheduleWidgets.h"

#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QString>

#include <optional>

class BackupTrigger;
class Clock;
class Preferences;

// The auto-backup schedule on the window: shows the Countdown (status
// caption, bar, the switch autoBackupButton's caption), lets countdownTimer
// tick it once a second while it runs, and takes the switch and the interval
// choice in intervalList into it and into the preferences. It connects to
// the widgets' signals itself; the window only has to create the widgets and
// call the start-up helpers.
//
// The interval list reacts to a mouse click (also on the row already selected,
// which restarts the countdown) and to every selection change made by the user,
// e.g. with the arrow keys. Otherwise a keyboard change would leave a count
// larger than the new interval, and the count would never meet it again.
class AutoBackupSchedule : public QObject {
    Q_OBJECT

public:
    AutoBackupSchedule(ScheduleWidgets widgets, Preferences& preferences, BackupTrigger& trigger,
        const Clock& clock, QLocale locale, QObject* parent = nullptr);

    // Start-up: the header and the eleven captions of intervalList.
    void fillIntervalList();
    // Start-up: selects the row at the 1-based position without storing it or
    // touching the count; a position outside the list leaves no row selected.
    void selectInterval(int oftenIndex);
    // Start-up: off shows the off state, on starts the countdown (the status
    // caption waits for the first tick); neither (a damaged stored switch)
    // changes nothing.
    void applySwitch(std::optional<bool> on);
    // Start-up: selectInterval and applySwitch with the stored interval and
    // switch, keeping to the schedule from the last backup when Catch Up is on.
    void restoreFromSettings();

    // countdownTimer's tick: counts one second, shows the time left and runs the backup
    // when the count reaches the interval.
    void tick();
    // autoBackupButton's click: switches the countdown on or off and stores it.
    void toggleSwitch();
    // intervalList's click: stores the interval's position and restarts the countdown.
    void chooseInterval();

    const Countdown& countdown() const { return m_countdown; }
    // After an automatic run that noted the fixed folder (or its drive)
    // missing: no run until it is back, looked for at every tick.
    bool isWaitingForDrive() const { return m_waitingForDrive; }

signals:
    // Keeping to the schedule, no run has completed for twice the interval
    // (at least an hour): since when. Once for each such stretch.
    void backupsLate(const QDateTime& since);

private:
    // Keeps to the schedule on the wall clock while Catch Up is on.
    void followCatchUp();
    void switchOn();
    void switchOff();
    void showCountdown();
    void runBackupNow();
    void setStatus(const QString& text);

    ScheduleWidgets m_widgets;
    Preferences& m_preferences;
    BackupTrigger& m_trigger;
    const Clock& m_clock;
    QLocale m_locale;
    Countdown m_countdown;
    bool m_inTick = false;
    bool m_waitingForDrive = false;
    bool m_selectingForStartUp = false;
};

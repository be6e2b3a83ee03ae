#pragma once

#include "ScheduleWidgets.h"

#include <QLocale>
#include <QObject>
#include <QString>

class BackupTrigger;
class Clock;
class SettingsStore;

// The auto-backup schedule: the one-second countdown of countdownTimer, the switch
// autoBackupButton and the interval choice in intervalList. It connects to the widgets'
// signals itself; the window only has to create the widgets and call the
// start-up helpers.
//
// The interval list reacts to a mouse click (also on the row already selected,
// which restarts the countdown) and to every selection change made by the user,
// e.g. with the arrow keys. Otherwise a keyboard change would leave a count
// larger than the new interval, and the count would never meet it again.
class AutoBackupSchedule : public QObject {
    Q_OBJECT

public:
    AutoBackupSchedule(ScheduleWidgets widgets, SettingsStore& settings, BackupTrigger& trigger,
        const Clock& clock, QLocale locale, QObject* parent = nullptr);

    // Start-up: the header and the eleven captions of intervalList.
    void fillIntervalList();
    // Start-up: selects the row at the 1-based position without storing it or
    // touching the count; a position outside the list leaves no row selected.
    void selectInterval(int oftenIndex);
    // Start-up: "Off" shows the off state, "On" starts the timer (the status
    // caption waits for the first tick); any other text changes nothing.
    void applyStoredSwitch(const QString& backupSwitch);
    // Start-up: selectInterval and applyStoredSwitch with the stored
    // "OftenIndex" and "BackupSwitch".
    void restoreFromSettings();

    // countdownTimer's tick: counts one second, shows the time left and runs the backup
    // when the count reaches the interval.
    void tick();
    // autoBackupButton's click: switches by the button's caption and stores "BackupSwitch".
    void toggleSwitch();
    // intervalList's click: stores "OftenIndex" and restarts the countdown.
    void chooseInterval();

    int count() const { return m_count; }
    int intervalSeconds() const { return m_intervalSeconds; }

private:
    void showCountdown();
    void runBackupNow();
    void setStatus(const QString& text);
    bool isOn() const;

    ScheduleWidgets m_widgets;
    SettingsStore& m_settings;
    BackupTrigger& m_trigger;
    const Clock& m_clock;
    QLocale m_locale;
    int m_count = 0;
    int m_intervalSeconds = 0;
    bool m_inTick = false;
    bool m_selectingForStartUp = false;
};

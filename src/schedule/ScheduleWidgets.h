#pragma once

class QGroupBox;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;

// The window's controls that the schedule drives; the window owns them.
struct ScheduleWidgets {
    QTreeWidget* intervalList; // the interval list
    QPushButton* autoBackupButton; // the auto-backup switch; its caption says what a click does
    QProgressBar* countdownBar; // the countdown bar
    QGroupBox* statusFrame; // its title is the status caption
    QTimer* countdownTimer; // ticks every 1000 ms while the countdown runs
};

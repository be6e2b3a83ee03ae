#pragma once

class QGroupBox;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;

// The window's controls that the schedule drives; the window owns them.
struct ScheduleWidgets {
    QTreeWidget* listView2; // the interval list
    QPushButton* pushButton5; // the auto-backup switch; its caption is the switch state
    QProgressBar* progressBar1; // the countdown bar
    QGroupBox* frame1; // its title is the status caption
    QTimer* timer1; // 1000 ms and running while on; stopped with interval 0 while off
};

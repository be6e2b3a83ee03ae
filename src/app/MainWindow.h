#pragma once

#include "FormBackupTrigger.h"
#include "backupset/BackupSetModel.h"
#include "platform/StopRequest.h"
#include "schedule/ImmediateBackup.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class AutoBackupSchedule;
class Clock;
class DestinationFolder;
class Dialogs;
class FileSystem;
class Form1;
class Launcher;
class OptionControls;
class PointerRules;
class SettingsStore;

// What the window works with, handed in by the program's entry (or a test).
struct ProgramServices {
    FileSystem& files;
    const Clock& clock;
    Dialogs& dialogs;
    Launcher& launcher;
    SettingsStore& settings;
    QString programFolder;
    QLocale locale;
    std::function<int()> drawHomePageVisit; // a whole number from 1 to 100
    std::function<void()> endProcess; // the last step of shutdown
};

// The main window's behaviour: it creates Form1, connects every control to
// the subsystem that handles it, and runs start-up and shutdown.
class MainWindow : public QObject {
    Q_OBJECT
public:
    explicit MainWindow(ProgramServices services, QObject* parent = nullptr);
    ~MainWindow() override;

    Form1& form() { return *m_form; }
    const BackupSetModel& backupSet() const { return m_backupSet; }
    AutoBackupSchedule& schedule() { return *m_schedule; }
    PointerRules& pointerRules() { return *m_pointerRules; }
    bool isLoading() const { return m_loading; }

    // Restores every remembered setting into the controls (Form_Load).
    void startUp();
    // Stores the backup set, stops the timer, empties the temp folder and ends
    // the process. Runs once, however the window is closed.
    void shutdown();

    // Control handlers.
    void PushButton7_Click();
    void PushButton4_Click();
    void ListView1_OLEDragDrop(const QStringList& paths);
    void PushButton6_Click();
    void ListView1_DblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireBackupSetList();
    void storeBackupSet();

    ProgramServices m_services;
    std::unique_ptr<Form1> m_form;
    BackupSetModel m_backupSet;
    PointerRules* m_pointerRules;
    StopRequest m_stop; // raised as shutdown begins
    FormBackupTrigger m_trigger;
    AutoBackupSchedule* m_schedule;
    OptionControls* m_options;
    DestinationFolder* m_destination;
    ImmediateBackup m_immediateBackup;
    bool m_loading = false;
    bool m_shutDown = false;
};

#pragma once

#include "WindowBackupTrigger.h"
#include "backupset/BackupSetModel.h"
#include "backupset/RemovalUndo.h"
#include "engine/CopyCatalog.h"
#include "platform/SingleInstance.h"
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
class MainWindowLayout;
class HistoryViewing;
class Launcher;
class OptionControls;
class PointerRules;
class Preferences;
class SettingsProblems;
class SettingsStore;
class SleepInhibitor;
class Splash;
class TrayIcon;
class TrayMinimize;
class TrayWarning;

// What the window works with, handed in by the program's entry (or a test).
struct ProgramServices {
    FileSystem& files;
    const Clock& clock;
    Dialogs& dialogs;
    Launcher& launcher;
    SettingsStore& settings;
    QString programFolder; // where history.txt, list.txt and temp are written
    QLocale locale;
    QString homePageAddress; // empty: no visit
    std::function<int()> drawHomePageVisit; // a whole number from 1 to 100
    std::function<void()> endProcess; // the last step of shutdown
    // Where the files the program only reads are looked up, in order; empty:
    // the program folder alone.
    QStringList readFolders = {};
    TrayIcon* trayIcon = nullptr; // the notification area's icon; none: the desktop's own
    QString autostartFolder = {}; // where the login entry goes; empty: the user's autostart folder
    QString executablePath = {}; // what the login entry starts; empty: this program
    SleepInhibitor* sleepInhibitor = nullptr; // holds sleep off during runs; none: nothing is held
};

// The main window's behaviour: it creates MainWindowLayout, connects every control to
// the subsystem that handles it, and runs start-up and shutdown.
class MainWindow : public QObject {
    Q_OBJECT
public:
    explicit MainWindow(ProgramServices services, QObject* parent = nullptr);
    ~MainWindow() override;

    MainWindowLayout& form() { return *m_form; }
    const BackupSetModel& backupSet() const { return m_backupSet; }
    AutoBackupSchedule& schedule() { return *m_schedule; }
    PointerRules& pointerRules() { return *m_pointerRules; }
    bool isLoading() const { return m_loading; }
    TrayMinimize& trayMinimize() { return *m_trayMinimize; }
    BackupTrigger& backupTrigger() { return m_trigger; }
    Splash* splash() { return m_splash.get(); }
    // Raised as shutdown begins; what waits or shows dialogs checks it.
    const StopRequest& stopRequest() const { return m_stop; }
    bool hasShutDown() const { return m_shutDown; }

    // Restores every remembered setting into the controls, as the window opens.
    void startUp();
    // Stores the backup set, stops the timer, empties the temp folder and ends
    // the process. Runs once, however the window is closed.
    void shutdown();
    // Shows the window after start-up, unless start-up sent it to the tray or
    // the program is already shutting down.
    void showAfterStartUp();
    // Another start of the program asks for the window: it comes out of the
    // tray or the taskbar to the front (once start-up is done).
    void bringToFront();
    // A script asks through the running copy ("backup now"): the run is made
    // here, with failures noted and no boxes, as soon as start-up and any run
    // under way are done; the answer says how it went.
    void answerRequest(const QByteArray& request, const RequestAnswer& answer);

    // Control handlers.
    void addFiles();
    void addFolder();
    void addDroppedPaths(const QStringList& paths);
    void backUpNow();
    void removeSelectedEntry();
    // Puts back the newest removal from the backup set that is not back yet.
    void undoRemoval();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireBackupSetList();
    bool isOnEmptyListSpace(QObject* watched, QEvent* event) const;
    void storeBackupSet();
    // The folder to read a companion file from (HAND-M.CUR, Splash, 7za).
    QString companionFolder(const QString& relativeName) const;

    ProgramServices m_services;
    std::unique_ptr<MainWindowLayout> m_form;
    BackupSetModel m_backupSet;
    RemovalUndo m_removals;
    PointerRules* m_pointerRules;
    StopRequest m_stop; // raised as shutdown begins
    CopyCatalog m_catalog; // the copies the runs made, beside history.txt
    Preferences* m_preferences; // the user's choices, over the settings store
    WindowBackupTrigger m_trigger;
    AutoBackupSchedule* m_schedule;
    OptionControls* m_options;
    DestinationFolder* m_destination;
    SettingsProblems* m_settingsProblems;
    ImmediateBackup m_immediateBackup;
    std::unique_ptr<TrayIcon> m_ownTrayIcon;
    TrayIcon* m_trayIcon;
    TrayMinimize* m_trayMinimize;
    std::unique_ptr<TrayWarning> m_trayWarning;
    HistoryViewing* m_history;
    std::unique_ptr<Splash> m_splash;
    bool m_setRestored = false; // until then "Files" holds the only copy of the set
    bool m_loading = false;
    bool m_frontAfterStartUp = false; // asked for while start-up ran
    bool m_shutDown = false;
};

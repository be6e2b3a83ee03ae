#pragma once

#include "engine/BackupRun.h"
#include "schedule/BackupTrigger.h"

class BackupSetModel;
class MainWindowLayout;
class SettingsStore;

// The run options as the window's controls show them at this moment.
RunOptions runOptionsOf(const MainWindowLayout& form);

// Runs run over the backup set with the options of the window's controls
// and the stored "More Options"; the outcome goes to statusFrame's caption, a
// repaired folder text into destinationEdit.
class WindowBackupTrigger : public BackupTrigger {
public:
    WindowBackupTrigger(MainWindowLayout& form, const BackupSetModel& backupSet,
        const SettingsStore& settings, RunServices services);
    bool isRunning() const override;
    bool runBackup(Kind kind) override;
    // Told after every run how many files failed, and whether noted in the log.
    void setRunFinished(std::function<void(int failed, bool noted)> told) { m_runFinished = std::move(told); }

private:
    MainWindowLayout& m_form;
    const BackupSetModel& m_backupSet;
    const SettingsStore& m_settings;
    BackupRun m_run;
    std::function<void(int, bool)> m_runFinished;
};

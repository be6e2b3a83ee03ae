#pragma once

#include "engine/BackupRun.h"
#include "schedule/BackupTrigger.h"

class BackupSetModel;
class MainWindowLayout;

// The run options as the window's controls show them at this moment.
RunOptions runOptionsOf(const MainWindowLayout& form);

// Runs run over the backup set with the options of the window's controls;
// the outcome goes to statusFrame's caption, a repaired folder text into destinationEdit.
class WindowBackupTrigger : public BackupTrigger {
public:
    WindowBackupTrigger(MainWindowLayout& form, const BackupSetModel& backupSet, RunServices services);
    bool isRunning() const override;
    bool runBackup() override;

private:
    MainWindowLayout& m_form;
    const BackupSetModel& m_backupSet;
    BackupRun m_run;
};

#pragma once

#include "engine/IntervalSave.h"
#include "schedule/BackupTrigger.h"

class BackupSetModel;
class Form1;

// The run options as the window's controls show them at this moment.
RunOptions RunOptionsOf(const Form1& form);

// Runs SaveAll over the backup set with the options of the window's controls;
// the outcome goes to Frame1's caption, a repaired folder text into Text5.
class FormBackupTrigger : public BackupTrigger {
public:
    FormBackupTrigger(Form1& form, const BackupSetModel& backupSet, RunServices services);
    bool isRunning() const override;
    bool runBackup() override;

private:
    Form1& m_form;
    const BackupSetModel& m_backupSet;
    IntervalSave m_run;
};

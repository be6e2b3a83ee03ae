#pragma once

#include "engine/BackupRun.h"
#include "schedule/BackupTrigger.h"

class BackupSetModel;
class MainWindowLayout;
class Preferences;

// The options of a run of that kind, as the preferences (and so the window's
// controls) hold them at this moment.
RunOptions runOptionsOf(const Preferences& preferences, BackupTrigger::Kind kind);

// Runs run over the backup set with the options of the preferences; the
// outcome goes to statusFrame's caption, a repaired folder text back into the
// preferences (and so into destinationEdit).
class WindowBackupTrigger : public BackupTrigger {
public:
    WindowBackupTrigger(MainWindowLayout& form, const BackupSetModel& backupSet, Preferences& preferences,
        RunServices services);
    bool isRunning() const override;
    bool runBackup(Kind kind) override;
    // Told how every run that shutdown did not cut short ended.
    void setRunFinished(std::function<void(const RunOutcome&)> told) { m_runFinished = std::move(told); }

private:
    MainWindowLayout& m_form;
    const BackupSetModel& m_backupSet;
    Preferences& m_preferences;
    BackupRun m_run;
    std::function<void(const RunOutcome&)> m_runFinished;
};

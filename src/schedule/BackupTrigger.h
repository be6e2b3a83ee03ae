#pragma once

#include "engine/BackupRun.h"

#include <QCoreApplication>

#include <optional>

// Starts the backup run for the schedule, "Backup Now" and a script; the
// window implements it by taking the run options from the preferences.
class BackupTrigger {
public:
    virtual ~BackupTrigger() = default;
    virtual bool isRunning() const = 0;
    // Runs one backup and returns how it ended; nothing when it could not
    // start because a run is already in progress, or shutdown cut it short.
    // A test run ("Backup Now") always shows its failures: the user is
    // there; a script's run always notes them.
    enum class Kind { Automatic, Test, Script };
    virtual std::optional<RunOutcome> runBackup(Kind kind) = 0;
    // After a run found the fixed folder or its drive missing: whether it is
    // back now, by one cheap look at the folder.
    virtual bool destinationIsBack() const = 0;
};

// The status caption while a run of that kind goes, before how far it has
// got; a script's run has none.
inline QString runCaption(BackupTrigger::Kind kind)
{
    switch (kind) {
    case BackupTrigger::Kind::Automatic:
        return QCoreApplication::translate("BackupTrigger", "Backup is running in background...");
    case BackupTrigger::Kind::Test:
        return QCoreApplication::translate("BackupTrigger", "Backing up files...");
    case BackupTrigger::Kind::Script:
        break;
    }
    return {};
}

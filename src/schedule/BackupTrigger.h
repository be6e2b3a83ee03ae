#pragma once

// Starts the backup run for the schedule and "Backup Now"; the window
// implements it by taking the run options from its controls.
class BackupTrigger {
public:
    virtual ~BackupTrigger() = default;
    virtual bool isRunning() const = 0;
    // Runs one backup and returns when it has ended; false when it could not
    // start because a run is already in progress. A test run ("Backup Now")
    // always shows its failures: the user is there.
    enum class Kind { Automatic, Test };
    virtual bool runBackup(Kind kind) = 0;
};

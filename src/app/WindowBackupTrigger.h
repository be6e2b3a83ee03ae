#pragma once

#include "engine/BackupRun.h"
#include "engine/Thinning.h"
#include "platform/FileSystem.h"
#include "schedule/BackupTrigger.h"

#include <optional>

class BackupSetModel;
class Clock;
class FileSystem;
class SleepInhibitor;
class MainWindowLayout;
class Preferences;

// What a run tells logind when it holds sleep off.
inline const QString SleepWhy = QStringLiteral("Backing up files");

// After a run: a completed one is the last backup, when the schedule keeps
// to it across restarts (Catch Up).
void rememberCompletedRun(Preferences& preferences, const RunOutcome& outcome, const QDateTime& now);

// The options of a run of that kind, as the preferences (and so the window's
// controls) hold them at this moment.
RunOptions runOptionsOf(const Preferences& preferences, BackupTrigger::Kind kind);

// Runs run over the backup set with the options of the preferences; how far
// a run has got and its outcome go to statusFrame's caption, a repaired
// folder text back into the preferences (and so into destinationEdit).
// A completed run is remembered as the last backup when the schedule keeps to
// it across restarts; a run that found the fixed folder or its drive missing
// remembers where the folder lay then, to tell its return.
class WindowBackupTrigger : public BackupTrigger {
public:
    // sleepInhibitor (may be none) holds the system's sleep off during each run.
    WindowBackupTrigger(MainWindowLayout& form, const BackupSetModel& backupSet, Preferences& preferences,
        SleepInhibitor* sleepInhibitor, RunServices services);
    bool isRunning() const override;
    std::optional<RunOutcome> runBackup(Kind kind) override;
    // The same, telling each failure's history line to failureLine.
    std::optional<RunOutcome> runBackup(Kind kind, const std::function<void(const QString&)>& failureLine);
    bool destinationIsBack() const override;
    // Backs source's current file up with the run's own naming and a catalog
    // row, before a version takes its place: as a copy of its own (never an
    // archive of one file), nothing trimmed or skipped. A failure says why.
    FileResult keepAsBackup(const QString& source);
    // What the next run would delete keeping these counts rather than the
    // stored ones ("Preview..." of "More Options"), as the user reads it.
    QString trimPreview(const KeepCounts& keep) const;
    // Told how every run that shutdown did not cut short ended.
    void setRunFinished(std::function<void(const RunOutcome&)> told) { m_runFinished = std::move(told); }
    // Told the tray's tooltip while a run of the window or the schedule goes,
    // from its second report on: a run over in a blink leaves the tray alone.
    void setRunTip(std::function<void(const QString&)> told) { m_runTip = std::move(told); }

private:
    MainWindowLayout& m_form;
    const BackupSetModel& m_backupSet;
    Preferences& m_preferences;
    SleepInhibitor* m_sleepInhibitor;
    FileSystem& m_files;
    const Clock& m_clock;
    BackupRun m_run;
    std::optional<quint64> m_absentDevice; // the folder's device while its drive was missing
    std::function<void(const RunOutcome&)> m_runFinished;
    std::function<void(const QString&)> m_runTip;
};

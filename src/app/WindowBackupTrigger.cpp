#include "WindowBackupTrigger.h"

#include <QCoreApplication>

#include "MainWindowLayout.h"
#include "backupset/BackupSetModel.h"
#include "engine/TrimPreview.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/SleepInhibitor.h"
#include "schedule/StatusCaption.h"
#include "settings/Preferences.h"

#include <QGroupBox>

RunOptions runOptionsOf(const Preferences& preferences, BackupTrigger::Kind kind)
{
    RunOptions options;
    options.archiveMode = preferences.archiveMode();
    options.stamping = preferences.stamping();
    options.destination = preferences.destination();
    options.writeMode = preferences.writeMode();
    options.folderText = preferences.destinationFolder();
    options.keepDatedCopies = preferences.keepDatedCopies();
    options.keepDaily = preferences.keepDaily();
    options.keepWeekly = preferences.keepWeekly();
    options.skipUnchanged = preferences.skipUnchanged();
    // "Backup Now" always shows its failures: the user is there. A script's
    // run never waits for a click.
    options.noteFailures = kind == BackupTrigger::Kind::Script
        || (kind == BackupTrigger::Kind::Automatic
            && preferences.onFailure() == FailureHandling::NoteAndGoOn);
    return options;
}

void rememberCompletedRun(Preferences& preferences, const RunOutcome& outcome, const QDateTime& now)
{
    if (outcome.end == RunOutcome::End::Completed && preferences.catchUp())
        preferences.setLastBackup(now);
}

WindowBackupTrigger::WindowBackupTrigger(MainWindowLayout& form, const BackupSetModel& backupSet,
    Preferences& preferences, SleepInhibitor* sleepInhibitor, RunServices services)
    : m_form(form)
    , m_backupSet(backupSet)
    , m_preferences(preferences)
    , m_sleepInhibitor(sleepInhibitor)
    , m_files(services.files)
    , m_clock(services.clock)
    , m_run(std::move(services))
{
}

bool WindowBackupTrigger::isRunning() const
{
    return m_run.isRunning();
}

std::optional<RunOutcome> WindowBackupTrigger::runBackup(Kind kind)
{
    return runBackup(kind, {});
}

std::optional<RunOutcome> WindowBackupTrigger::runBackup(
    Kind kind, const std::function<void(const QString&)>& failureLine)
{
    std::optional<RunOutcome> ended;
    RunRequest request { runOptionsOf(m_preferences, kind), m_backupSet.entries(),
        [this](const QString& caption) { showStatusCaption(*m_form.statusFrame, caption); },
        [this](const QString& folder) { m_preferences.setDestinationFolder(folder); },
        [&ended](const RunOutcome& outcome) { ended = outcome; }, failureLine };
    if (const QString caption = runCaption(kind); !caption.isEmpty()) {
        request.progress = [this, caption, reports = 0](const RunProgress& progress) mutable {
            showStatusCaption(*m_form.statusFrame, progressCaption(caption, progress));
            if (++reports > 1 && m_runTip)
                m_runTip(progressTip(caption, progress));
        };
    }
    const SleepHold noSleep(m_run.isRunning() ? nullptr : m_sleepInhibitor, SleepWhy);
    // Not started, or cut short by shutdown: nothing to tell.
    if (!m_run.run(request) || !ended)
        return std::nullopt;
    if (ended->end == RunOutcome::End::DriveMissing)
        m_absentDevice = m_files.deviceOf(m_preferences.destinationFolder()).value_or(0);
    rememberCompletedRun(m_preferences, *ended, m_clock.now());
    if (m_runFinished)
        m_runFinished(*ended);
    return ended;
}

bool WindowBackupTrigger::destinationIsBack() const
{
    // A drive mounted over the folder gives it another device; a missing
    // folder has none.
    const std::optional<quint64> device = m_files.deviceOf(m_preferences.destinationFolder());
    return device && device != m_absentDevice;
}

QString WindowBackupTrigger::trimPreview(const KeepCounts& keep) const
{
    // A run under way reads and changes the catalog: the listing waits for its end.
    if (m_run.isRunning())
        return QCoreApplication::translate(
            "WindowBackupTrigger", "A backup is under way; preview again when it has ended.");
    RunOptions options = runOptionsOf(m_preferences, Kind::Automatic);
    options.keepDatedCopies = keep.newest;
    options.keepDaily = keep.days;
    options.keepWeekly = keep.weeks;
    QString problem;
    const QString listing
        = copiesToGoText(copiesToGo(m_run.services(), m_backupSet.entries(), options, &problem));
    return problem.isEmpty() ? listing : problem + QStringLiteral("\r\n\r\n") + listing;
}

FileResult WindowBackupTrigger::keepAsBackup(const QString& source)
{
    if (m_run.isRunning())
        return FileResult::failure(QCoreApplication::translate(
            "WindowBackupTrigger", "A backup is under way. Try again when it has ended."));
    const RunOptions stored = runOptionsOf(m_preferences, Kind::Test);
    RunOptions options;
    options.stamping = stored.stamping;
    options.destination = stored.destination;
    options.writeMode = stored.writeMode;
    options.folderText = stored.folderText;
    options.noteFailures = true; // one message, from the window that asked
    QStringList failures;
    std::optional<RunOutcome> ended;
    const RunRequest request { options, { source },
        [this](const QString& caption) { showStatusCaption(*m_form.statusFrame, caption); },
        [this](const QString& folder) { m_preferences.setDestinationFolder(folder); },
        [&ended](const RunOutcome& outcome) { ended = outcome; },
        [&failures](const QString& line) { failures << line; } };
    const SleepHold noSleep(m_sleepInhibitor, SleepWhy);
    if (!m_run.run(request) || !ended)
        return FileResult::failure(QCoreApplication::translate(
            "WindowBackupTrigger", "The current file could not be kept as a backup."));
    if (ended->end != RunOutcome::End::Completed || ended->failed > 0) {
        const QString why = failures.isEmpty()
            ? QCoreApplication::translate("WindowBackupTrigger", "No backup folder is there.")
            : failures.join(u'\n');
        return FileResult::failure(
            QCoreApplication::translate("WindowBackupTrigger",
                "The current file could not be kept as a backup, so nothing was restored.\r\n")
            + why);
    }
    return FileResult::success();
}

#include "WindowBackupTrigger.h"

#include "MainWindowLayout.h"
#include "backupset/BackupSetModel.h"
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
    options.skipUnchanged = preferences.skipUnchanged();
    // "Backup Now" always shows its failures: the user is there.
    options.noteFailures
        = kind == BackupTrigger::Kind::Automatic && preferences.onFailure() == FailureHandling::NoteAndGoOn;
    return options;
}

WindowBackupTrigger::WindowBackupTrigger(
    MainWindowLayout& form, const BackupSetModel& backupSet, Preferences& preferences, RunServices services)
    : m_form(form)
    , m_backupSet(backupSet)
    , m_preferences(preferences)
    , m_run(std::move(services))
{
}

bool WindowBackupTrigger::isRunning() const
{
    return m_run.isRunning();
}

bool WindowBackupTrigger::runBackup(Kind kind)
{
    const RunRequest request { runOptionsOf(m_preferences, kind), m_backupSet.entries(),
        [this](const QString& caption) { m_form.statusFrame->setTitle(caption); },
        [this](const QString& folder) { m_preferences.setDestinationFolder(folder); },
        [this](const RunOutcome& outcome) {
            if (m_runFinished)
                m_runFinished(outcome);
        } };
    return m_run.run(request);
}

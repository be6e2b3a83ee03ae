#include "WindowBackupTrigger.h"

#include "MainWindowLayout.h"
#include "backupset/BackupSetModel.h"
#include "settings/SettingKeys.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

RunOptions runOptionsOf(const MainWindowLayout& form)
{
    RunOptions options;
    options.archiveMode = form.archiveModeBox->isChecked();
    options.stamping = form.stampBox->isChecked();
    if (form.fixedFolderOption->isChecked())
        options.destination = DestinationMode::FixedFolder;
    else if (form.sourceFolderOption->isChecked())
        options.destination = DestinationMode::SourceFolder;
    if (form.createNewOption->isChecked())
        options.writeMode = WriteMode::CreateNew;
    else if (form.overwriteOption->isChecked())
        options.writeMode = WriteMode::Overwrite;
    options.folderText = form.destinationEdit->text();
    return options;
}

WindowBackupTrigger::WindowBackupTrigger(MainWindowLayout& form, const BackupSetModel& backupSet,
    const SettingsStore& settings, RunServices services)
    : m_form(form)
    , m_backupSet(backupSet)
    , m_settings(settings)
    , m_run(std::move(services))
{
}

bool WindowBackupTrigger::isRunning() const
{
    return m_run.isRunning();
}

bool WindowBackupTrigger::runBackup(Kind kind)
{
    RunOptions options = runOptionsOf(m_form);
    options.keepDatedCopies = readNumber(m_settings, Setting::KeepDatedCopies);
    options.skipUnchanged = readSwitch(m_settings, Setting::SkipUnchanged).value_or(false);
    options.noteFailures = kind == Kind::Automatic && readNumber(m_settings, Setting::OnFailure) == 1;
    const RunRequest request { std::move(options), m_backupSet.entries(),
        [this](const QString& caption) { m_form.statusFrame->setTitle(caption); },
        [this](const QString& folder) { m_form.destinationEdit->setText(folder); },
        [this](int failed, bool noted) {
            if (m_runFinished)
                m_runFinished(failed, noted);
        } };
    return m_run.run(request);
}

#include "FormBackupTrigger.h"

#include "Form1.h"
#include "backupset/BackupSetModel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

RunOptions RunOptionsOf(const Form1& form)
{
    RunOptions options;
    options.archiveMode = form.Check1->isChecked();
    options.stamping = form.Check6->isChecked();
    if (form.Option1->isChecked())
        options.destination = DestinationMode::FixedFolder;
    else if (form.Option2->isChecked())
        options.destination = DestinationMode::SourceFolder;
    if (form.Option3->isChecked())
        options.writeMode = WriteMode::CreateNew;
    else if (form.Option4->isChecked())
        options.writeMode = WriteMode::Overwrite;
    options.folderText = form.Text5->text();
    return options;
}

FormBackupTrigger::FormBackupTrigger(Form1& form, const BackupSetModel& backupSet, RunServices services)
    : m_form(form)
    , m_backupSet(backupSet)
    , m_run(std::move(services))
{
}

bool FormBackupTrigger::isRunning() const
{
    return m_run.isRunning();
}

bool FormBackupTrigger::runBackup()
{
    const RunRequest request { RunOptionsOf(m_form), m_backupSet.entries(),
        [this](const QString& caption) { m_form.Frame1->setTitle(caption); },
        [this](const QString& folder) { m_form.Text5->setText(folder); } };
    return m_run.SaveAll(request);
}

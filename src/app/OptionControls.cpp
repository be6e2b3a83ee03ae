#include "OptionControls.h"

#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

OptionControls::OptionControls(
    const OptionWidgets& widgets, SettingsStore& store, std::function<bool()> loading, QObject* parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_store(store)
    , m_loading(std::move(loading))
    , m_whereGroup(new QButtonGroup(this))
    , m_backupGroup(new QButtonGroup(this))
{
    // The two pairs may share one parent widget; the groups keep them apart.
    m_whereGroup->addButton(m_widgets.fixedFolderOption);
    m_whereGroup->addButton(m_widgets.sourceFolderOption);
    m_backupGroup->addButton(m_widgets.createNewOption);
    m_backupGroup->addButton(m_widgets.overwriteOption);

    onClicked(m_widgets.fixedFolderOption, &OptionControls::chooseFixedFolder);
    onClicked(m_widgets.sourceFolderOption, &OptionControls::chooseSourceFolder);
    onClicked(m_widgets.createNewOption, &OptionControls::chooseCreateNew);
    onClicked(m_widgets.overwriteOption, &OptionControls::chooseOverwrite);
    onClicked(m_widgets.archiveModeBox, &OptionControls::archiveModeClicked);
    onClicked(m_widgets.startAtLoginBox, &OptionControls::startAtLoginClicked);
    onClicked(m_widgets.stampBox, &OptionControls::stampClicked);
    onClicked(m_widgets.startInTrayBox, &OptionControls::startInTrayClicked);
}

void OptionControls::onClicked(QAbstractButton* button, void (OptionControls::*behaviour)())
{
    // clicked comes from the user only; the behaviours' own changes call the
    // behaviour directly, so nothing runs twice.
    connect(button, &QAbstractButton::clicked, this, behaviour);
}

void OptionControls::select(QRadioButton* option, void (OptionControls::*behaviour)())
{
    if (option->isChecked())
        return;
    option->setChecked(true);
    (this->*behaviour)();
}

void OptionControls::setChecked(QCheckBox* box, bool checked, void (OptionControls::*behaviour)())
{
    if (box->isChecked() == checked)
        return;
    box->setChecked(checked);
    (this->*behaviour)();
}

void OptionControls::chooseFixedFolder()
{
    writeSetting(m_store, Setting::WhereOption, QStringLiteral("1"));
    m_widgets.destinationEdit->setEnabled(true);
    m_widgets.chooseFolderButton->setEnabled(true);
}

void OptionControls::chooseSourceFolder()
{
    writeSetting(m_store, Setting::WhereOption, QStringLiteral("2"));
    m_widgets.destinationEdit->setEnabled(false);
    m_widgets.chooseFolderButton->setEnabled(false);
}

void OptionControls::chooseCreateNew()
{
    writeSetting(m_store, Setting::BackupOption, QStringLiteral("1"));
}

void OptionControls::chooseOverwrite()
{
    writeSetting(m_store, Setting::BackupOption, QStringLiteral("2"));
}

void OptionControls::archiveModeClicked()
{
    const bool checked = m_widgets.archiveModeBox->isChecked();
    writeSetting(m_store, Setting::ArchiveMode, checked ? QStringLiteral("1") : QStringLiteral("0"));
    if (checked) {
        // Archive mode needs the fixed folder.
        select(m_widgets.fixedFolderOption, &OptionControls::chooseFixedFolder);
        m_widgets.sourceFolderOption->setEnabled(false);
    } else {
        m_widgets.sourceFolderOption->setEnabled(true);
    }
}

void OptionControls::startAtLoginClicked()
{
    if (m_loading && m_loading())
        return;
    if (m_widgets.startAtLoginBox->isChecked()) {
        m_widgets.startInTrayBox->setVisible(true);
        writeSwitch(m_store, Setting::WindowsStartup, true);
        emit startWithLoginChanged(true);
    } else {
        setChecked(m_widgets.startInTrayBox, false, &OptionControls::startInTrayClicked);
        m_widgets.startInTrayBox->setVisible(false);
        writeSwitch(m_store, Setting::WindowsStartup, false);
        emit startWithLoginChanged(false);
    }
}

void OptionControls::stampClicked()
{
    if (m_widgets.stampBox->isChecked()) {
        writeSwitch(m_store, Setting::IncludeDate, true);
        m_widgets.createNewOption->setEnabled(true);
        m_widgets.overwriteOption->setEnabled(true);
    } else {
        m_widgets.createNewOption->setEnabled(false);
        m_widgets.overwriteOption->setEnabled(false);
        writeSwitch(m_store, Setting::IncludeDate, false);
    }
}

void OptionControls::startInTrayClicked()
{
    writeSwitch(m_store, Setting::Minimized, m_widgets.startInTrayBox->isChecked());
}

void OptionControls::restoreWhereOption(int whereOption)
{
    if (whereOption == 1)
        select(m_widgets.fixedFolderOption, &OptionControls::chooseFixedFolder);
    else if (whereOption == 2)
        select(m_widgets.sourceFolderOption, &OptionControls::chooseSourceFolder);
}

void OptionControls::restoreBackupOption(int backupOption)
{
    if (backupOption == 1)
        select(m_widgets.createNewOption, &OptionControls::chooseCreateNew);
    else
        select(m_widgets.overwriteOption, &OptionControls::chooseOverwrite);
}

void OptionControls::restoreArchiveMode(int state)
{
    setChecked(m_widgets.archiveModeBox, state == 1, &OptionControls::archiveModeClicked);
}

void OptionControls::restoreIncludeDate(const QString& value)
{
    setChecked(m_widgets.stampBox, switchValue(value).value_or(false), &OptionControls::stampClicked);
}

void OptionControls::restoreWindowsStartup(const QString& value)
{
    setChecked(
        m_widgets.startAtLoginBox, switchValue(value).value_or(false), &OptionControls::startAtLoginClicked);
}

void OptionControls::restoreMinimized(const QString& value)
{
    setChecked(
        m_widgets.startInTrayBox, switchValue(value).value_or(false), &OptionControls::startInTrayClicked);
}

void OptionControls::restoreFromSettings()
{
    restoreWhereOption(readNumber(m_store, Setting::WhereOption));
    restoreBackupOption(readNumber(m_store, Setting::BackupOption));
    restoreArchiveMode(readNumber(m_store, Setting::ArchiveMode));
    restoreIncludeDate(readSetting(m_store, Setting::IncludeDate));
    restoreWindowsStartup(readSetting(m_store, Setting::WindowsStartup));
    restoreMinimized(readSetting(m_store, Setting::Minimized));
}

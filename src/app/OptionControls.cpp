#include "OptionControls.h"

#include "settings/Preferences.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

OptionControls::OptionControls(
    const OptionWidgets& widgets, Preferences& preferences, std::function<bool()> loading, QObject* parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_preferences(preferences)
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
    m_preferences.setDestination(DestinationMode::FixedFolder);
    m_widgets.destinationEdit->setEnabled(true);
    m_widgets.chooseFolderButton->setEnabled(true);
}

void OptionControls::chooseSourceFolder()
{
    m_preferences.setDestination(DestinationMode::SourceFolder);
    m_widgets.destinationEdit->setEnabled(false);
    m_widgets.chooseFolderButton->setEnabled(false);
}

void OptionControls::chooseCreateNew()
{
    m_preferences.setWriteMode(WriteMode::CreateNew);
}

void OptionControls::chooseOverwrite()
{
    m_preferences.setWriteMode(WriteMode::Overwrite);
}

void OptionControls::archiveModeClicked()
{
    const bool checked = m_widgets.archiveModeBox->isChecked();
    m_preferences.setArchiveMode(checked);
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
        m_preferences.setStartAtLogin(true);
        emit startWithLoginChanged(true);
    } else {
        setChecked(m_widgets.startInTrayBox, false, &OptionControls::startInTrayClicked);
        m_widgets.startInTrayBox->setVisible(false);
        m_preferences.setStartAtLogin(false);
        emit startWithLoginChanged(false);
    }
}

void OptionControls::stampClicked()
{
    if (m_widgets.stampBox->isChecked()) {
        m_preferences.setStamping(true);
        m_widgets.createNewOption->setEnabled(true);
        m_widgets.overwriteOption->setEnabled(true);
    } else {
        m_widgets.createNewOption->setEnabled(false);
        m_widgets.overwriteOption->setEnabled(false);
        m_preferences.setStamping(false);
    }
}

void OptionControls::startInTrayClicked()
{
    m_preferences.setStartInTray(m_widgets.startInTrayBox->isChecked());
}

void OptionControls::restoreFromSettings()
{
    switch (m_preferences.destination()) {
    case DestinationMode::FixedFolder:
        select(m_widgets.fixedFolderOption, &OptionControls::chooseFixedFolder);
        break;
    case DestinationMode::SourceFolder:
        select(m_widgets.sourceFolderOption, &OptionControls::chooseSourceFolder);
        break;
    case DestinationMode::None:
        break;
    }
    if (m_preferences.writeMode() == WriteMode::CreateNew)
        select(m_widgets.createNewOption, &OptionControls::chooseCreateNew);
    else
        select(m_widgets.overwriteOption, &OptionControls::chooseOverwrite);
    setChecked(m_widgets.archiveModeBox, m_preferences.archiveMode(), &OptionControls::archiveModeClicked);
    setChecked(m_widgets.stampBox, m_preferences.stamping(), &OptionControls::stampClicked);
    setChecked(m_widgets.startAtLoginBox, m_preferences.startAtLogin(), &OptionControls::startAtLoginClicked);
    setChecked(m_widgets.startInTrayBox, m_preferences.startInTray(), &OptionControls::startInTrayClicked);
}

#include "OptionControls.h"

#include "SettingKeys.h"
#include "SettingsStore.h"

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
    m_whereGroup->addButton(m_widgets.Option1);
    m_whereGroup->addButton(m_widgets.Option2);
    m_backupGroup->addButton(m_widgets.Option3);
    m_backupGroup->addButton(m_widgets.Option4);

    onClicked(m_widgets.Option1, &OptionControls::option1Click);
    onClicked(m_widgets.Option2, &OptionControls::option2Click);
    onClicked(m_widgets.Option3, &OptionControls::option3Click);
    onClicked(m_widgets.Option4, &OptionControls::option4Click);
    onClicked(m_widgets.Check1, &OptionControls::check1Click);
    onClicked(m_widgets.Check4, &OptionControls::check4Click);
    onClicked(m_widgets.Check6, &OptionControls::check6Click);
    onClicked(m_widgets.Check8, &OptionControls::check8Click);
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

void OptionControls::option1Click()
{
    writeSetting(m_store, Setting::WhereOption, QStringLiteral("1"));
    m_widgets.Text5->setEnabled(true);
    m_widgets.PushButton1->setEnabled(true);
}

void OptionControls::option2Click()
{
    writeSetting(m_store, Setting::WhereOption, QStringLiteral("2"));
    m_widgets.Text5->setEnabled(false);
    m_widgets.PushButton1->setEnabled(false);
}

void OptionControls::option3Click()
{
    writeSetting(m_store, Setting::BackupOption, QStringLiteral("1"));
}

void OptionControls::option4Click()
{
    writeSetting(m_store, Setting::BackupOption, QStringLiteral("2"));
}

void OptionControls::check1Click()
{
    const bool checked = m_widgets.Check1->isChecked();
    writeSetting(m_store, Setting::Check1, checked ? QStringLiteral("1") : QStringLiteral("0"));
    if (checked) {
        // Archive mode needs the fixed folder.
        select(m_widgets.Option1, &OptionControls::option1Click);
        m_widgets.Option2->setEnabled(false);
    } else {
        m_widgets.Option2->setEnabled(true);
    }
}

void OptionControls::check4Click()
{
    if (m_loading && m_loading())
        return;
    if (m_widgets.Check4->isChecked()) {
        m_widgets.Check8->setVisible(true);
        writeSwitch(m_store, Setting::WindowsStartup, true);
        emit startWithLoginChanged(true);
    } else {
        setChecked(m_widgets.Check8, false, &OptionControls::check8Click);
        m_widgets.Check8->setVisible(false);
        writeSwitch(m_store, Setting::WindowsStartup, false);
        emit startWithLoginChanged(false);
    }
}

void OptionControls::check6Click()
{
    if (m_widgets.Check6->isChecked()) {
        writeSwitch(m_store, Setting::IncludeDate, true);
        m_widgets.Option3->setEnabled(true);
        m_widgets.Option4->setEnabled(true);
    } else {
        m_widgets.Option3->setEnabled(false);
        m_widgets.Option4->setEnabled(false);
        writeSwitch(m_store, Setting::IncludeDate, false);
    }
}

void OptionControls::check8Click()
{
    writeSwitch(m_store, Setting::Minimized, m_widgets.Check8->isChecked());
}

void OptionControls::restoreWhereOption(int whereOption)
{
    if (whereOption == 1)
        select(m_widgets.Option1, &OptionControls::option1Click);
    else if (whereOption == 2)
        select(m_widgets.Option2, &OptionControls::option2Click);
}

void OptionControls::restoreBackupOption(int backupOption)
{
    if (backupOption == 1)
        select(m_widgets.Option3, &OptionControls::option3Click);
    else
        select(m_widgets.Option4, &OptionControls::option4Click);
}

void OptionControls::restoreCheck1(int state)
{
    setChecked(m_widgets.Check1, state == 1, &OptionControls::check1Click);
}

void OptionControls::restoreIncludeDate(const QString& value)
{
    setChecked(m_widgets.Check6, switchValue(value).value_or(false), &OptionControls::check6Click);
}

void OptionControls::restoreWindowsStartup(const QString& value)
{
    setChecked(m_widgets.Check4, switchValue(value).value_or(false), &OptionControls::check4Click);
}

void OptionControls::restoreMinimized(const QString& value)
{
    setChecked(m_widgets.Check8, switchValue(value).value_or(false), &OptionControls::check8Click);
}

void OptionControls::restoreFromSettings()
{
    restoreWhereOption(readNumber(m_store, Setting::WhereOption));
    restoreBackupOption(readNumber(m_store, Setting::BackupOption));
    restoreCheck1(readNumber(m_store, Setting::Check1));
    restoreIncludeDate(readSetting(m_store, Setting::IncludeDate));
    restoreWindowsStartup(readSetting(m_store, Setting::WindowsStartup));
    restoreMinimized(readSetting(m_store, Setting::Minimized));
}

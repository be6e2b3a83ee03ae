#pragma once

#include "OptionWidgets.h"

#include <QObject>
#include <QString>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class SettingsStore;

// The behaviours of the option buttons and check boxes: each click stores the
// new choice at once and keeps the dependent controls consistent. They run on
// the user's clicks (clicked, never on programmatic changes) and, through the
// restore methods, when start-up gives a control a state that differs from
// its current one.
class OptionControls : public QObject {
    Q_OBJECT
public:
    // loading: true while start-up runs; Check4's behaviour then does nothing.
    // Puts Option1/Option2 and Option3/Option4 into one exclusive group each.
    OptionControls(const OptionWidgets& widgets, SettingsStore& store, std::function<bool()> loading,
        QObject* parent = nullptr);

    // Start-up's restore steps, in the order start-up calls them.
    // 1 selects Option1, 2 selects Option2, anything else neither.
    void restoreWhereOption(int whereOption);
    // 1 selects Option3, anything else Option4.
    void restoreBackupOption(int backupOption);
    // 1 checks Check1, anything else leaves it unchecked.
    void restoreCheck1(int state);
    // "On" checks the box; anything else (even "on") leaves it unchecked.
    void restoreIncludeDate(const QString& value);
    void restoreWindowsStartup(const QString& value);
    void restoreMinimized(const QString& value);
    // All six from the store: "WhereOption", "Backup Option", "Check1",
    // "Include Date", "Windows Startup", "Minimized".
    void restoreFromSettings();

    // The click behaviours themselves.
    void option1Click();
    void option2Click();
    void option3Click();
    void option4Click();
    void check1Click();
    void check4Click();
    void check6Click();
    void check8Click();

signals:
    // Check4's behaviour, after storing its state: start with the desktop
    // session (true) or no longer (false).
    void startWithLoginChanged(bool on);

private:
    // Selects an option button, running its behaviour only when it was not yet selected.
    void select(QRadioButton* option, void (OptionControls::*behaviour)());
    // Gives a check box a state, running its behaviour only when the state changes.
    void setChecked(QCheckBox* box, bool checked, void (OptionControls::*behaviour)());
    void onClicked(QAbstractButton* button, void (OptionControls::*behaviour)());

    OptionWidgets m_widgets;
    SettingsStore& m_store;
    std::function<bool()> m_loading;
    QButtonGroup* m_whereGroup;
    QButtonGroup* m_backupGroup;
};

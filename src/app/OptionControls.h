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
    // loading: true while start-up runs; startAtLoginBox's behaviour then does nothing.
    // Puts fixedFolderOption/sourceFolderOption and createNewOption/overwriteOption into one exclusive group
    // each.
    OptionControls(const OptionWidgets& widgets, SettingsStore& store, std::function<bool()> loading,
        QObject* parent = nullptr);

    // Start-up's restore steps, in the order start-up calls them.
    // 1 selects fixedFolderOption, 2 selects sourceFolderOption, anything else neither.
    void restoreWhereOption(int whereOption);
    // 1 selects createNewOption, anything else overwriteOption.
    void restoreBackupOption(int backupOption);
    // 1 checks archiveModeBox, anything else leaves it unchecked.
    void restoreArchiveMode(int state);
    // "On" checks the box; anything else (even "on") leaves it unchecked.
    void restoreIncludeDate(const QString& value);
    void restoreWindowsStartup(const QString& value);
    void restoreMinimized(const QString& value);
    // All six from the store: "WhereOption", "Backup Option", "Check1",
    // "Include Date", "Windows Startup", "Minimized".
    void restoreFromSettings();

    // The click behaviours themselves.
    void chooseFixedFolder();
    void chooseSourceFolder();
    void chooseCreateNew();
    void chooseOverwrite();
    void archiveModeClicked();
    void startAtLoginClicked();
    void stampClicked();
    void startInTrayClicked();

signals:
    // startAtLoginBox's behaviour, after storing its state: start with the desktop
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

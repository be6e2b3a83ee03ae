#pragma once

#include "OptionWidgets.h"

#include <QObject>
#include <QString>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class Preferences;

// The behaviours of the option buttons and check boxes: each click puts the
// new choice into the preferences (which store it at once) and keeps the
// dependent controls consistent. They run on
// the user's clicks (clicked, never on programmatic changes) and, through the
// restore methods, when start-up gives a control a state that differs from
// its current one.
class OptionControls : public QObject {
    Q_OBJECT
public:
    // loading: true while start-up runs; startAtLoginBox's behaviour then does nothing.
    // Puts fixedFolderOption/sourceFolderOption and createNewOption/overwriteOption into one exclusive group
    // each.
    OptionControls(const OptionWidgets& widgets, Preferences& preferences, std::function<bool()> loading,
        QObject* parent = nullptr);

    // Start-up: shows the preferences in the controls, running a control's
    // behaviour where its state changes: the destination (neither option
    // for none), the write mode, archive mode, stamping, start at login and
    // start in the tray, in that order.
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
    Preferences& m_preferences;
    std::function<bool()> m_loading;
    QButtonGroup* m_whereGroup;
    QButtonGroup* m_backupGroup;
};

#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;
class QSpinBox;
class Preferences;

// "More Options": the options for unattended use. It shows the preferences;
// OK puts the shown ones into them (stored at once), Cancel changes nothing.
class MoreOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit MoreOptionsDialog(Preferences& preferences, QWidget* parent = nullptr);

    QSpinBox* keepDatedCopies;
    QCheckBox* skipUnchanged;
    QCheckBox* catchUp;
    QRadioButton* showAndWait;
    QRadioButton* noteAndGoOn;

private:
    void store();

    Preferences& m_preferences;
};

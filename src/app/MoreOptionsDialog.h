#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;
class QSpinBox;
class SettingsStore;

// "More Options": the options for unattended use. It shows the stored values;
// OK stores the shown ones at once, Cancel changes nothing.
class MoreOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit MoreOptionsDialog(SettingsStore& settings, QWidget* parent = nullptr);

    QSpinBox* keepDatedCopies;
    QCheckBox* skipUnchanged;
    QRadioButton* showAndWait;
    QRadioButton* noteAndGoOn;

private:
    void store();

    SettingsStore& m_settings;
};

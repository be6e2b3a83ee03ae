#pragma once

#include "engine/Thinning.h"

#include <QDialog>
#include <functional>

class Dialogs;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QSpinBox;
class Preferences;

// What the next run would delete keeping the counts given, as the user reads it.
using TrimPreviewText = std::function<QString(const KeepCounts& keep)>;

// "More Options": the options for unattended use. It shows the preferences;
// OK puts the shown ones into them (stored at once), Cancel changes nothing.
// "Preview..." shows in a message what the next run would delete with the
// counts shown, stored or not.
class MoreOptionsDialog : public QDialog {
    Q_OBJECT
public:
    MoreOptionsDialog(
        Preferences& preferences, Dialogs& dialogs, TrimPreviewText previewText, QWidget* parent = nullptr);

    QSpinBox* keepDatedCopies;
    QSpinBox* keepDaily;
    QSpinBox* keepWeekly;
    QPushButton* preview;
    QCheckBox* skipUnchanged;
    QCheckBox* catchUp;
    QRadioButton* showAndWait;
    QRadioButton* noteAndGoOn;

private:
    void store();
    KeepCounts shownCounts() const;

    Preferences& m_preferences;
    Dialogs& m_dialogs;
    TrimPreviewText m_preview;
};

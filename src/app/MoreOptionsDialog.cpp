#include "MoreOptionsDialog.h"

#include "settings/Preferences.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

MoreOptionsDialog::MoreOptionsDialog(Preferences& preferences, QWidget* parent)
    : QDialog(parent)
    , m_preferences(preferences)
{
    setWindowTitle(QStringLiteral("More Options"));

    auto* keepRow = new QHBoxLayout;
    keepRow->addWidget(new QLabel(QStringLiteral("Keep only the newest")));
    keepDatedCopies = new QSpinBox;
    keepDatedCopies->setRange(0, 9999);
    keepDatedCopies->setValue(preferences.keepDatedCopies());
    keepRow->addWidget(keepDatedCopies);
    keepRow->addWidget(new QLabel(QStringLiteral("dated copies of each file (0 keeps all)")));
    keepRow->addStretch();

    skipUnchanged = new QCheckBox(QStringLiteral("Skip files that have not changed since their last backup"));
    skipUnchanged->setChecked(preferences.skipUnchanged());

    catchUp
        = new QCheckBox(QStringLiteral("Keep to the schedule across restarts and sleep (a missed backup runs "
                                       "once, a minute after start-up or waking)"));
    catchUp->setChecked(preferences.catchUp());

    auto* failures
        = new QGroupBox(QStringLiteral("When a file cannot be backed up during an automatic backup"));
    showAndWait = new QRadioButton(QStringLiteral("Show a message and wait for OK"));
    noteAndGoOn = new QRadioButton(QStringLiteral("Note it in the history log and the tray, and go on"));
    (preferences.onFailure() == FailureHandling::NoteAndGoOn ? noteAndGoOn : showAndWait)->setChecked(true);
    auto* failureChoices = new QVBoxLayout(failures);
    failureChoices->addWidget(showAndWait);
    failureChoices->addWidget(noteAndGoOn);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        store();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(keepRow);
    layout->addWidget(skipUnchanged);
    layout->addWidget(catchUp);
    layout->addWidget(failures);
    layout->addWidget(buttons);
}

void MoreOptionsDialog::store()
{
    m_preferences.setKeepDatedCopies(keepDatedCopies->value());
    m_preferences.setSkipUnchanged(skipUnchanged->isChecked());
    m_preferences.setCatchUp(catchUp->isChecked());
    m_preferences.setOnFailure(
        noteAndGoOn->isChecked() ? FailureHandling::NoteAndGoOn : FailureHandling::ShowAndWait);
}

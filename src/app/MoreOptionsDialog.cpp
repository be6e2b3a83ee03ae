#include "MoreOptionsDialog.h"

#include "platform/Dialogs.h"
#include "settings/Preferences.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* countBox(int high, int value)
{
    auto* box = new QSpinBox;
    box->setRange(0, high);
    box->setValue(value);
    return box;
}

} // namespace

MoreOptionsDialog::MoreOptionsDialog(
    Preferences& preferences, Dialogs& dialogs, TrimPreviewText previewText, QWidget* parent)
    : QDialog(parent)
    , m_preferences(preferences)
    , m_dialogs(dialogs)
    , m_preview(std::move(previewText))
{
    setWindowTitle(tr("More Options"));

    auto* keepRow = new QHBoxLayout;
    keepRow->addWidget(new QLabel(tr("Keep only the newest")));
    keepDatedCopies = countBox(9999, preferences.keepDatedCopies());
    keepRow->addWidget(keepDatedCopies);
    keepRow->addWidget(new QLabel(tr("dated copies of each file (0 keeps all)")));
    keepRow->addStretch();

    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(new QLabel(tr("Also keep the newest copy of each of the last")));
    keepDaily = countBox(999, preferences.keepDaily());
    periodRow->addWidget(keepDaily);
    periodRow->addWidget(new QLabel(tr("days and of each of the last")));
    keepWeekly = countBox(999, preferences.keepWeekly());
    periodRow->addWidget(keepWeekly);
    periodRow->addWidget(new QLabel(tr("weeks")));
    periodRow->addStretch();
    // The counts sit inside sentences; a screen reader hears what each counts.
    keepDatedCopies->setAccessibleName(tr("Dated copies kept of each file"));
    keepDatedCopies->setAccessibleDescription(tr("0 keeps all"));
    keepDaily->setAccessibleName(tr("Days with a copy kept"));
    keepWeekly->setAccessibleName(tr("Weeks with a copy kept"));

    skipUnchanged = new QCheckBox(tr("Skip files that have not changed since their last backup"));
    skipUnchanged->setChecked(preferences.skipUnchanged());

    catchUp = new QCheckBox(tr("Keep to the schedule across restarts and sleep (a missed backup runs "
                               "once, a minute after start-up or waking)"));
    catchUp->setChecked(preferences.catchUp());

    auto* failures = new QGroupBox(tr("When a file cannot be backed up during an automatic backup"));
    showAndWait = new QRadioButton(tr("Show a message and wait for OK"));
    noteAndGoOn = new QRadioButton(tr("Note it in the history log and the tray, and go on"));
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
    preview = buttons->addButton(tr("Preview..."), QDialogButtonBox::ActionRole);
    connect(preview, &QPushButton::clicked, this,
        [this] { m_dialogs.showMessage(tr("Preview"), m_preview(shownCounts()), MessageIcon::Information); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(keepRow);
    layout->addLayout(periodRow);
    layout->addWidget(skipUnchanged);
    layout->addWidget(catchUp);
    layout->addWidget(failures);
    layout->addWidget(buttons);
}

void MoreOptionsDialog::store()
{
    m_preferences.setKeepDatedCopies(keepDatedCopies->value());
    m_preferences.setKeepDaily(keepDaily->value());
    m_preferences.setKeepWeekly(keepWeekly->value());
    m_preferences.setSkipUnchanged(skipUnchanged->isChecked());
    m_preferences.setCatchUp(catchUp->isChecked());
    m_preferences.setOnFailure(
        noteAndGoOn->isChecked() ? FailureHandling::NoteAndGoOn : FailureHandling::ShowAndWait);
}

KeepCounts MoreOptionsDialog::shownCounts() const
{
    return { keepDatedCopies->value(), keepDaily->value(), keepWeekly->value() };
}

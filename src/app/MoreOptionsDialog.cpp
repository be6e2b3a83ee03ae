#include "MoreOptionsDialog.h"

#include "settings/SettingKeys.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

MoreOptionsDialog::MoreOptionsDialog(SettingsStore& settings, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("More Options"));

    auto* keepRow = new QHBoxLayout;
    keepRow->addWidget(new QLabel(QStringLiteral("Keep only the newest")));
    keepDatedCopies = new QSpinBox;
    keepDatedCopies->setRange(0, 9999);
    keepDatedCopies->setValue(readNumber(settings, Setting::KeepDatedCopies));
    keepRow->addWidget(keepDatedCopies);
    keepRow->addWidget(new QLabel(QStringLiteral("dated copies of each file (0 keeps all)")));
    keepRow->addStretch();

    skipUnchanged = new QCheckBox(QStringLiteral("Skip files that have not changed since their last backup"));
    skipUnchanged->setChecked(readSwitch(settings, Setting::SkipUnchanged).value_or(false));

    auto* failures
        = new QGroupBox(QStringLiteral("When a file cannot be backed up during an automatic backup"));
    showAndWait = new QRadioButton(QStringLiteral("Show a message and wait for OK"));
    noteAndGoOn = new QRadioButton(QStringLiteral("Note it in the history log and the tray, and go on"));
    (readNumber(settings, Setting::OnFailure) == 1 ? noteAndGoOn : showAndWait)->setChecked(true);
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
    layout->addWidget(failures);
    layout->addWidget(buttons);
}

void MoreOptionsDialog::store()
{
    writeSetting(m_settings, Setting::KeepDatedCopies, QString::number(keepDatedCopies->value()));
    writeSwitch(m_settings, Setting::SkipUnchanged, skipUnchanged->isChecked());
    writeSetting(
        m_settings, Setting::OnFailure, noteAndGoOn->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

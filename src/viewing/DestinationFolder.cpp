#include "DestinationFolder.h"

#include "platform/Dialogs.h"
#include "settings/Preferences.h"
#include "support/DialogHelpers.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

DestinationFolder::DestinationFolder(QLineEdit* destinationEdit, QPushButton* chooseFolderButton,
    QPushButton* viewFolderButton, Preferences& preferences, Dialogs& dialogs, Launcher& launcher,
    QObject* parent)
    : QObject(parent)
    , m_folderEdit(destinationEdit)
    , m_preferences(preferences)
    , m_dialogs(dialogs)
    , m_launcher(launcher)
{
    connect(m_folderEdit, &QLineEdit::textChanged, &m_preferences, &Preferences::setDestinationFolder);
    connect(
        &m_preferences, &Preferences::destinationFolderChanged, m_folderEdit, [this](const QString& folder) {
            if (m_folderEdit->text() != folder)
                m_folderEdit->setText(folder);
        });
    connect(chooseFolderButton, &QPushButton::clicked, this, &DestinationFolder::chooseFolder);
    connect(viewFolderButton, &QPushButton::clicked, this, &DestinationFolder::viewFolder);
    m_folderEdit->installEventFilter(this);
}

void DestinationFolder::restoreFromSettings()
{
    m_folderEdit->setText(m_preferences.destinationFolder());
}

void DestinationFolder::chooseFolder()
{
    QString folder = browseForFolder(m_dialogs, QStringLiteral("Please select folder:"));
    if (folder.isEmpty())
        return;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    m_folderEdit->setText(folder);
}

void DestinationFolder::viewFolder()
{
    // One argument, no shell: blanks and quotes in the path reach the file manager untouched.
    openShowingFailures(m_launcher, m_dialogs, m_folderEdit->text(), this);
}

bool DestinationFolder::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_folderEdit && event->type() == QEvent::FocusIn) {
        // A click places the cursor after the focus arrives, which would undo
        // an immediate select-all; selecting once the click is handled keeps it.
        QTimer::singleShot(0, m_folderEdit, &QLineEdit::selectAll);
    }
    return QObject::eventFilter(watched, event);
}

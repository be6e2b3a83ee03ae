#include "DestinationFolder.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "settings/Preferences.h"
#include "support/DialogHelpers.h"

#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

DestinationFolder::DestinationFolder(QLineEdit* destinationEdit, QPushButton* chooseFolderButton,
    QPushButton* viewFolderButton, FileSystem& files, Preferences& preferences, Dialogs& dialogs,
    Launcher& launcher, QObject* parent)
    : QObject(parent)
    , m_folderEdit(destinationEdit)
    , m_files(files)
    , m_preferences(preferences)
    , m_dialogs(dialogs)
    , m_launcher(launcher)
{
    connect(m_folderEdit, &QLineEdit::textChanged, &m_preferences, &Preferences::setDestinationFolder);
    connect(
        &m_preferences, &Preferences::destinationFolderChanged, m_folderEdit, [this](const QString& folder) {
            if (m_folderEdit->text() != folder)
                showFolder(folder);
        });
    connect(m_folderEdit, &QLineEdit::returnPressed, this, &DestinationFolder::offerToCreate);
    connect(chooseFolderButton, &QPushButton::clicked, this, &DestinationFolder::chooseFolder);
    connect(viewFolderButton, &QPushButton::clicked, this, &DestinationFolder::viewFolder);
    m_folderEdit->installEventFilter(this);
}

void DestinationFolder::restoreFromSettings()
{
    showFolder(m_preferences.destinationFolder());
}

void DestinationFolder::showFolder(const QString& folder)
{
    // Only a folder typed by hand is offered to be made: a stored one that is
    // missing may well be on a drive that is not plugged in.
    m_lastLeft = folder;
    m_folderEdit->setText(folder);
}

void DestinationFolder::chooseFolder()
{
    const QString current = m_folderEdit->text();
    const QString start = !current.isEmpty() && m_files.folderExists(current) ? current : QString();
    QString folder = browseForFolder(m_dialogs, tr("Please select folder:"), start);
    if (folder.isEmpty())
        return;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    showFolder(folder);
}

void DestinationFolder::viewFolder()
{
    // One argument, no shell: blanks and quotes in the path reach the file manager untouched.
    openShowingFailures(m_launcher, m_dialogs, m_folderEdit->text(), this);
}

void DestinationFolder::offerToCreate()
{
    const QString folder = m_folderEdit->text();
    if (folder == m_lastLeft)
        return;
    m_lastLeft = folder;
    // Something there that is not a folder is for the run to report.
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder) || m_files.queryAttributes(folder))
        return;
    if (!m_dialogs.askYesNo(
            QStringLiteral("Quillstead"), tr("The folder \"%1\" does not exist. Create it?").arg(folder)))
        return;
    if (const FileResult made = m_files.makeFolders(folder); !made)
        m_dialogs.showMessage(QStringLiteral("Quillstead"), made.description, MessageIcon::Exclamation);
}

bool DestinationFolder::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_folderEdit && event->type() == QEvent::FocusIn) {
        // A click places the cursor after the focus arrives, which would undo
        // an immediate select-all; selecting once the click is handled keeps it.
        QTimer::singleShot(0, m_folderEdit, &QLineEdit::selectAll);
    }
    if (watched == m_folderEdit && event->type() == QEvent::FocusOut) {
        // Another window or a menu taking the focus does not leave the box.
        // The question waits until the focus has settled where it went.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, &DestinationFolder::offerToCreate);
    }
    return QObject::eventFilter(watched, event);
}

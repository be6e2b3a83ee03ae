#include "HistoryViewing.h"

#include "ClipboardCopy.h"
#include "engine/HistoryLog.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "support/DialogHelpers.h"

#include <QPushButton>

HistoryViewing::HistoryViewing(QPushButton* viewHistoryButton, QPushButton* copyHistoryButton,
    const FileSystem& files, Launcher& launcher, Dialogs& dialogs, QString programFolder, QObject* parent)
    : QObject(parent)
    , m_files(files)
    , m_launcher(launcher)
    , m_dialogs(dialogs)
    , m_programFolder(std::move(programFolder))
{
    connect(viewHistoryButton, &QPushButton::clicked, this, &HistoryViewing::viewHistory);
    connect(copyHistoryButton, &QPushButton::clicked, this, &HistoryViewing::copyHistory);
}

void HistoryViewing::viewHistory()
{
    const QString log = historyPath(m_programFolder);
    if (!m_files.queryAttributes(log)) {
        m_dialogs.showMessage(QStringLiteral("Quillstead"),
            tr("There isn't a history to view because actions have not been performed yet."),
            MessageIcon::Information);
        return;
    }
    openShowingFailures(m_launcher, m_dialogs, log, this);
}

void HistoryViewing::copyHistory()
{
    const QString log = historyPath(m_programFolder);
    if (!m_files.queryAttributes(log))
        return;
    // A log that cannot be read must not look copied: the clipboard would
    // still hold something else.
    if (const FileResult copied = copyFileTextToClipboard(log); !copied)
        m_dialogs.showMessage(QStringLiteral("Quillstead"), copied.description, MessageIcon::Exclamation);
}

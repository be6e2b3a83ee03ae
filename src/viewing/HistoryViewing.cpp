#include "HistoryViewing.h"

#include "engine/HistoryLog.h"
#include "platform/Dialogs.h"
#include "platform/FileExists.h"
#include "platform/Launcher.h"
#include "platform/RichTextBox.h"

#include <QPushButton>

HistoryViewing::HistoryViewing(QPushButton* pushButton3, QPushButton* pushButton8, RichTextBox* richTextBox1,
    const FileSystem& files, Launcher& launcher, Dialogs& dialogs, QString programFolder, QObject* parent)
    : QObject(parent)
    , m_RichTextBox1(richTextBox1)
    , m_files(files)
    , m_launcher(launcher)
    , m_dialogs(dialogs)
    , m_programFolder(std::move(programFolder))
{
    connect(pushButton3, &QPushButton::clicked, this, &HistoryViewing::PushButton3_Click);
    connect(pushButton8, &QPushButton::clicked, this, &HistoryViewing::PushButton8_Click);
}

void HistoryViewing::PushButton3_Click()
{
    const QString log = HistoryPath(m_programFolder);
    if (!FileExists(m_files, log)) {
        m_dialogs.showMessage(QStringLiteral("Quillstead"), NoHistoryText, MessageIcon::Information);
        return;
    }
    const LaunchResult opened = m_launcher.openWithDefaultProgram(log);
    if (!opened)
        m_dialogs.showMessage(QStringLiteral("Quillstead"), opened.description, MessageIcon::Exclamation);
}

void HistoryViewing::PushButton8_Click()
{
    const QString log = HistoryPath(m_programFolder);
    if (!FileExists(m_files, log))
        return;
    // A log that cannot be read must not look copied: the clipboard would
    // still hold something else.
    const FileResult loaded = m_RichTextBox1->LoadFile(log);
    if (!loaded) {
        m_dialogs.showMessage(QStringLiteral("Quillstead"), loaded.description, MessageIcon::Exclamation);
        return;
    }
    m_RichTextBox1->setSelStart(0);
    m_RichTextBox1->setSelLength(m_RichTextBox1->Text().size());
    m_RichTextBox1->copy();
}

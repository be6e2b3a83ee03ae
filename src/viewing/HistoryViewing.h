#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class FileSystem;
class Launcher;
class QPushButton;
class RichTextBox;

// The history buttons: "View History Log" (PushButton3) opens history.txt
// with the desktop's default program for text files, "Copy History To
// Clipboard" (PushButton8) puts its whole text on the clipboard through the
// hidden RichTextBox1. Neither changes the log.
class HistoryViewing : public QObject {
    Q_OBJECT
public:
    static inline const QString NoHistoryText
        = QStringLiteral("There isn't a history to view because actions have not been performed yet.");

    HistoryViewing(QPushButton* pushButton3, QPushButton* pushButton8, RichTextBox* richTextBox1,
        const FileSystem& files, Launcher& launcher, Dialogs& dialogs, QString programFolder,
        QObject* parent = nullptr);

    void PushButton3_Click();
    void PushButton8_Click();

private:
    RichTextBox* m_RichTextBox1;
    const FileSystem& m_files;
    Launcher& m_launcher;
    Dialogs& m_dialogs;
    QString m_programFolder;
};

#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class FileSystem;
class Launcher;
class QPushButton;

// The history buttons: "View History Log" (viewHistoryButton) opens history.txt
// with the desktop's default program for text files, "Copy History To
// Clipboard" (copyHistoryButton) puts its whole text on the clipboard.
// Neither changes the log.
class HistoryViewing : public QObject {
    Q_OBJECT
public:
    HistoryViewing(QPushButton* viewHistoryButton, QPushButton* copyHistoryButton, const FileSystem& files,
        Launcher& launcher, Dialogs& dialogs, QString programFolder, QObject* parent = nullptr);

    void viewHistory();
    void copyHistory();

private:
    const FileSystem& m_files;
    Launcher& m_launcher;
    Dialogs& m_dialogs;
    QString m_programFolder;
};

#pragma once

#include <QObject>

class Dialogs;
class Launcher;
class QLineEdit;
class QPushButton;
class SettingsStore;

// The fixed destination folder's controls: destinationEdit holds the folder and stores
// every change under "Path" at once, "..." (chooseFolderButton) picks the folder,
// "View This Folder" (viewFolderButton) opens it in the file manager.
class DestinationFolder : public QObject {
    Q_OBJECT
public:
    DestinationFolder(QLineEdit* destinationEdit, QPushButton* chooseFolderButton,
        QPushButton* viewFolderButton, SettingsStore& store, Dialogs& dialogs, Launcher& launcher,
        QObject* parent = nullptr);

    // Puts the stored "Path" (or its default) into destinationEdit.
    void restoreFromSettings();
    // "...": the chosen folder, always ending in "/", replaces the text; cancel keeps it.
    void chooseFolder();
    // "View This Folder": the text goes to the file manager as it is, untested.
    void viewFolder();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void storeText(const QString& text);

    QLineEdit* m_folderEdit;
    SettingsStore& m_store;
    Dialogs& m_dialogs;
    Launcher& m_launcher;
};

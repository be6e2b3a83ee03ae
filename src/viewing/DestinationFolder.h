#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class FileSystem;
class Launcher;
class QLineEdit;
class QPushButton;
class Preferences;

// The fixed destination folder's controls: destinationEdit shows the folder of
// the preferences and puts every change into them at once (and a change made
// there, such as a run's repair, into the box), "..." (chooseFolderButton) picks the folder,
// "View This Folder" (viewFolderButton) opens it in the file manager.
class DestinationFolder : public QObject {
    Q_OBJECT
public:
    DestinationFolder(QLineEdit* destinationEdit, QPushButton* chooseFolderButton,
        QPushButton* viewFolderButton, FileSystem& files, Preferences& preferences, Dialogs& dialogs,
        Launcher& launcher, QObject* parent = nullptr);

    // Puts the preferences' folder into destinationEdit.
    void restoreFromSettings();
    // "...": opened at the box's folder when it exists; the chosen folder,
    // always ending in "/", replaces the text; cancel keeps it.
    void chooseFolder();
    // "View This Folder": the text goes to the file manager as it is, untested.
    void viewFolder();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The box is left (Enter, or the focus moves on within the window) with a
    // folder typed by hand that does not exist: asks to create it, once for
    // each text left.
    void offerToCreate();
    void showFolder(const QString& folder);

    QLineEdit* m_folderEdit;
    FileSystem& m_files;
    Preferences& m_preferences;
    Dialogs& m_dialogs;
    Launcher& m_launcher;
    QString m_lastLeft; // the text last left, or last put in by the program
};

#pragma once

#include <QObject>

class Dialogs;
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
        QPushButton* viewFolderButton, Preferences& preferences, Dialogs& dialogs, Launcher& launcher,
        QObject* parent = nullptr);

    // Puts the preferences' folder into destinationEdit.
    void restoreFromSettings();
    // "...": the chosen folder, always ending in "/", replaces the text; cancel keeps it.
    void chooseFolder();
    // "View This Folder": the text goes to the file manager as it is, untested.
    void viewFolder();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_folderEdit;
    Preferences& m_preferences;
    Dialogs& m_dialogs;
    Launcher& m_launcher;
};

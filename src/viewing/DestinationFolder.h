#pragma once

#include <QObject>

class Dialogs;
class Launcher;
class QLineEdit;
class QPushButton;
class SettingsStore;

// The fixed destination folder's controls: Text5 holds the folder and stores
// every change under "Path" at once, "..." (PushButton1) picks the folder,
// "View This Folder" (PushButton2) opens it in the file manager.
class DestinationFolder : public QObject {
    Q_OBJECT
public:
    DestinationFolder(QLineEdit* text5, QPushButton* pushButton1, QPushButton* pushButton2,
        SettingsStore& store, Dialogs& dialogs, Launcher& launcher, QObject* parent = nullptr);

    // Puts the stored "Path" (or its default) into Text5.
    void restoreFromSettings();
    // "...": the chosen folder, always ending in "/", replaces the text; cancel keeps it.
    void chooseFolder();
    // "View This Folder": the text goes to the file manager as it is, untested.
    void viewFolder();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void storeText(const QString& text);

    QLineEdit* m_Text5;
    SettingsStore& m_store;
    Dialogs& m_dialogs;
    Launcher& m_launcher;
};

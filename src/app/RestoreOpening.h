#pragma once

#include "engine/Restorer.h"

#include <QLocale>
#include <QObject>
#include <QPointer>

class BackupSetModel;
class Dialogs;
class Launcher;
class MainWindowLayout;
class Preferences;
class RestoreWindow;

// Where the backups of a file go, to look there for versions the catalog
// does not hold: the fixed folder of the preferences (when one is set) and
// the file's own folder.
std::function<VersionPlaces(const QString& source)> versionPlacesOf(
    const Preferences& preferences, const QLocale& locale);

// The "Restore..." button of the main window: it opens the one Restore
// window over the backup set (made on first use, brought to the front
// after), with the entry selected in the main list selected there too.
class RestoreOpening : public QObject {
    Q_OBJECT
public:
    RestoreOpening(MainWindowLayout& form, const BackupSetModel& backupSet, Dialogs& dialogs,
        Launcher& launcher, RestoreServices services, QObject* parent = nullptr);

    void open();

private:
    MainWindowLayout& m_form;
    const BackupSetModel& m_backupSet;
    Dialogs& m_dialogs;
    Launcher& m_launcher;
    FileSystem& m_files;
    QLocale m_locale;
    Restorer m_restorer;
    QPointer<RestoreWindow> m_window; // owned by the main window's widget
};

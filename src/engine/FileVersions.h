#pragma once

#include "platform/FileSystem.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

class CopyCatalog;

// One earlier state of a file in the backup set that can be put back.
struct FileVersion {
    enum class Kind {
        Catalogued, // a copy or archive entry the catalog holds for that very file
        FoundByName, // a dated copy made before the catalog, found by its name only
        PlainBackup, // the unstamped "... Backup" copy, not in the catalog
    };
    Kind kind = Kind::Catalogued;
    QString path; // the copy, or the archive that holds the version
    QString entry; // the name inside the archive; empty for a copy
    QDateTime made; // when the run that made it started; for others the stamp or the copy's time
    FileFacts facts; // size and modification time of the file it puts back
    bool sameAsCurrent = false; // the file now has that size and time

    bool inArchive() const { return !entry.isEmpty(); }
    // Where it is, for the list and the history line: the copy's path, or the
    // name inside the archive and the archive's path.
    QString whereText() const;
};

// Where to look for a file's versions besides the catalog: the folders its
// backups go to (the fixed folder, the file's own folder), each ending in "/".
struct VersionPlaces {
    QStringList folders;
    QLocale locale; // the stamps of dated copies read back under it
};

// Every version of source there is, newest first: the catalog's copies and
// archive entries that are still there, dated copies found by name in the
// places given that the catalog does not hold, and the plain "... Backup"
// copy there. Without a catalog, only what is found by name.
QList<FileVersion> versionsOf(
    const QString& source, const VersionPlaces& places, CopyCatalog* catalog, const FileSystem& files);

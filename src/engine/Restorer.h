#pragma once

#include "FileVersions.h"

#include <QLocale>
#include <QString>
#include <functional>

class Clock;
class CopyCatalog;
class FileSystem;
class StopRequest;

// What putting versions back works with, handed in once by the window's owner.
struct RestoreServices {
    FileSystem& files;
    const Clock& clock;
    QLocale locale; // the history line's date
    QString programFolder; // home of history.txt and of temp/
    QString archiverFolder; // the folder that holds 7za
    const StopRequest& stop; // shutdown: an extraction under way is abandoned
    CopyCatalog* catalog; // none: only versions found by name
    // Where source's backups go, to look for versions the catalog does not hold.
    std::function<VersionPlaces(const QString& source)> placesOf;
    // Backs up source's current file with the run's normal naming (and its
    // catalog row) before a version takes its place; a failure stops the restore.
    std::function<FileResult(const QString& source)> keepCurrent;
};

// Lists a file's versions and puts one back. Every file it writes is written
// under a working name, flushed and renamed into place, so a failure at any
// step leaves the file that was there as it was.
class Restorer {
public:
    explicit Restorer(RestoreServices services);

    QList<FileVersion> versionsOf(const QString& source) const;
    // Puts version back as source, keeping its modification time: when the
    // current file differs from it, that is backed up first. A missing
    // folder on the way is made. Writes one history line.
    FileResult restore(const FileVersion& version, const QString& source);
    // Writes version into folder under source's file name, replacing a file
    // of that name there (the caller has asked).
    FileResult restoreTo(const FileVersion& version, const QString& source, const QString& folder);
    // A read-only copy of version in temp/ (emptied when the program ends),
    // under source's file name, for the desktop to open. Its path in path.
    FileResult temporaryCopy(const FileVersion& version, const QString& source, QString& path);

private:
    // The file that holds a version's content: the copy itself, or the entry
    // extracted from its archive into temp/, removed when this goes.
    struct Content {
        FileSystem& files;
        QString path;
        bool extracted = false;
        explicit Content(FileSystem& fileSystem)
            : files(fileSystem)
        {
        }
        Content(const Content&) = delete;
        Content& operator=(const Content&) = delete;
        ~Content();
    };
    FileResult contentOf(const FileVersion& version, Content& content);
    FileResult extract(const FileVersion& version, QString& path);

    RestoreServices m_services;
};

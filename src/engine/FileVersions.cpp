#include "FileVersions.h"

#include <QCoreApplication>

#include "BackupNaming.h"
#include "CopyCatalog.h"
#include "DatedCopies.h"
#include "PathPieces.h"

#include <QSet>
#include <algorithm>
#include <iterator>

namespace {

QDateTime modifiedAt(const FileFacts& facts)
{
    return QDateTime::fromMSecsSinceEpoch(facts.modifiedNs / 1'000'000, Qt::UTC);
}

// The versions the catalog proves: copies still as they were made, and the
// entries of archives still as they were made. Their paths go into held.
QList<FileVersion> catalogued(const QString& source, const std::optional<FileFacts>& current,
    CopyCatalog& catalog, const FileSystem& files, QSet<QString>& held)
{
    QList<FileVersion> versions;
    for (const CatalogVersion& version : catalog.versionsOf(source)) {
        const CatalogCopy& copy = version.copy;
        // A copy or archive changed since is no longer the one recorded.
        if (files.regularFileFacts(copy.backup) != copy.backupFacts)
            continue;
        FileVersion listed { FileVersion::Kind::Catalogued, copy.backup, version.entry, copy.made, {},
            false };
        if (version.entry.isEmpty()) {
            held.insert(copy.backup);
            listed.facts = copy.backupFacts;
            // Times are each drive's own: a copy on a drive of coarser times
            // matches the source as it was when copied.
            listed.sameAsCurrent = current && (*current == copy.sourceFacts || *current == copy.backupFacts);
        } else {
            listed.facts = copy.sourceFacts;
            listed.sameAsCurrent = current && *current == copy.sourceFacts;
        }
        if (!listed.made.isValid())
            listed.made = modifiedAt(listed.facts);
        versions << listed;
    }
    return versions;
}

// Copies in places the catalog does not hold: dated ones by their names
// (newest first), then the plain "... Backup" copy of each folder.
QList<FileVersion> foundByName(const QString& source, const std::optional<FileFacts>& current,
    const VersionPlaces& places, const FileSystem& files, const QSet<QString>& held)
{
    QList<FileVersion> versions;
    const QString name = fileNameOf(source);
    const QString extension = extensionOf(source);
    FolderListings listings(files);
    QSet<QString> looked;
    const auto add
        = [&](FileVersion::Kind kind, const QString& path, const std::optional<QDateTime>& stamped) {
              const std::optional<FileFacts> facts = files.regularFileFacts(path);
              if (!facts || held.contains(path) || path == source)
                  return;
              versions << FileVersion { kind, path, {}, stamped ? *stamped : modifiedAt(*facts), *facts,
                  current && *current == *facts };
          };
    for (const QString& folder : places.folders) {
        if (folder.isEmpty() || looked.contains(folder))
            continue;
        looked.insert(folder);
        for (const DatedCopy& dated : listings.datedCopies(folder, name, extension, places.locale))
            add(FileVersion::Kind::FoundByName, folder + dated.name, dated.stamped);
        add(FileVersion::Kind::PlainBackup, folder + plainBackupName(name, extension), std::nullopt);
    }
    std::stable_sort(versions.begin(), versions.end(),
        [](const FileVersion& a, const FileVersion& b) { return a.made > b.made; });
    return versions;
}

} // namespace

QString FileVersion::whereText() const
{
    return inArchive() ? QCoreApplication::translate("FileVersions", "%1 in %2").arg(entry, path) : path;
}

QList<FileVersion> versionsOf(
    const QString& source, const VersionPlaces& places, CopyCatalog* catalog, const FileSystem& files)
{
    const std::optional<FileFacts> current = files.fileFacts(source);
    QSet<QString> held;
    const QList<FileVersion> proven = catalog && catalog->isOpen()
        ? catalogued(source, current, *catalog, files, held)
        : QList<FileVersion>();
    const QList<FileVersion> found = foundByName(source, current, places, files, held);
    // The catalog's order stands (it is the order the copies were made); the
    // others go in by their times.
    QList<FileVersion> versions;
    std::merge(proven.begin(), proven.end(), found.begin(), found.end(), std::back_inserter(versions),
        [](const FileVersion& a, const FileVersion& b) { return a.made > b.made; });
    return versions;
}

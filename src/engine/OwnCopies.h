#pragma once

#include "CopyCatalog.h"
#include "Thinning.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class FileSystem;
class OpenFolder;

// Shows or notes one failure; false when the run must stop (shutdown).
using FailureReport = std::function<bool(const QString& description, const QString& subject)>;

// What one run may treat as its own: the copies the catalog holds that are
// still as they were made. Asks the catalog for the run, gathers what the run
// puts in place, and commits it with the history lines. Without a catalog
// nothing is the run's own: nothing is skipped, trimmed or protected.
class OwnCopies {
public:
    OwnCopies(CopyCatalog* catalog, FileSystem& files, const QDateTime& started);
    ~OwnCopies();
    OwnCopies(const OwnCopies&) = delete;
    OwnCopies& operator=(const OwnCopies&) = delete;

    qint64 run() const { return m_run; }
    // The catalog's file name, to name it in messages.
    QString catalogName() const;
    // Whether folder (ending in "/") takes names without letter case; asked
    // of its drive once per run.
    bool ignoresCase(const QString& folder);
    // The key under which the run compares a path with others in its folder.
    QString nameKey(const QString& path);

    // True when source has not changed since its newest copy in folder and
    // that copy is still as it was made.
    bool isUnchanged(const QString& source, const QString& folder);
    // What the catalog holds under a backup's name.
    struct NameHolder {
        bool recorded = false; // a row, whoever's
        std::optional<QString> otherSource; // another source's (empty: an archive), still as made
    };
    NameHolder holderOf(const QString& backup, const QString& source);
    // The newest archive of this kind in folder, if it is still as made and
    // packed the set in the state given.
    bool archiveUnchanged(const QString& folder, bool dated, const QByteArray& setState);

    // Copies are about to take these names: the rows of what they replace
    // go first, in a commit of their own.
    FileResult replacing(const QStringList& backups, const FailureReport& report);
    // A copy now in place, to be recorded at the next commit: source's size and
    // time were sourceFacts when it was copied (source empty: an archive), the
    // copy's are stored as its drive keeps them; an archive's entries say what it holds.
    void made(const QString& source, const QString& backup, bool dated, const FileFacts& sourceFacts,
        const FileFacts& stored, const QByteArray& setState = {}, const QList<ArchiveEntry>& entries = {});
    // The fixed folder, to be remembered with the mount point it lies on.
    void reached(const QString& folder, const QString& mountPoint);
    // Writes what was gathered; a catalog set aside on the way is told by report.
    FileResult commit(const FailureReport& report);

    // Picks for trimming the dated copies of source (empty: the archives) in
    // folder that do not survive thinning by keep (Thinning.h), never one
    // made in this run or one that is a file of the backup set. A copy no
    // longer as made counts for nothing; its row is forgotten at the next
    // commit. With coming, the name a copy about to be made would take (a
    // preview of the run), that copy counts as the newest, made as this run
    // started, and the copy it would replace as gone.
    void chooseSurplus(const QString& source, const QString& folder, const KeepCounts& keep,
        const QStringList& backupSet, const QString& coming = {});
    // The copies picked so far, to be trimmed.
    const QList<CatalogCopy>& surplus() const { return m_surplus; }
    // Forgets the rows of the copies picked, then deletes them (a power cut in
    // between leaves a copy without a row, never a row without its copy).
    // False when report asked to stop.
    bool trimSurplus(const FailureReport& report);

    // Where the fixed folder lay at the last copy put into it, when its
    // drive is not there now (the folder lies on a mount point above that one).
    std::optional<QString> missingDrive(const QString& folder, const QString& mountPointNow);

private:
    // A file's facts, looked at through its folder held open for the run.
    std::optional<FileFacts> factsOf(const QString& path, bool followLinks);
    bool isOwnCopy(const CatalogCopy& copy);
    FileResult commit(const CatalogChanges& changes, const FailureReport& report);
    bool isInBackupSet(const QString& path, const QStringList& backupSet);

    CopyCatalog* m_catalog;
    FileSystem& m_files;
    QDateTime m_started;
    qint64 m_run = 0;
    QHash<QString, bool> m_ignoresCase;
    std::unordered_map<QString, std::unique_ptr<OpenFolder>> m_folders; // none where it could not be opened
    CatalogChanges m_changes;
    QList<CatalogCopy> m_surplus; // picked for trimming
    QSet<QString> m_cleared; // names whose rows went before their copies took them
    QSet<QString> m_setPaths; // the backup set's paths, and folded, once trimming asks
    QSet<QString> m_setFolded;
};

#pragma once

#include "platform/FileSystem.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;
class CatalogStatements;

// One copy the program put in place, as the catalog holds it.
struct CatalogCopy {
    qint64 id = 0; // copies are numbered in the order they were made
    QString source; // empty for an archive of the whole set
    QString backup; // the copy's path
    qint64 run = 0; // the number of the run that made it
    QDateTime made = {}; // when that run started (UTC); only where a lookup says so
    FileFacts sourceFacts; // the source's when it was copied (archives: none)
    FileFacts backupFacts; // the copy's, as its drive stored them
    QByteArray setState; // archives: the set and its files when packed; empty when unknown
};

// One file packed into an archive: under which name, as it was then.
struct ArchiveEntry {
    QString source;
    QString name; // inside the archive
    FileFacts facts; // the source's when it was copied for packing
};

// A copy just put in place, to be recorded.
struct MadeCopy {
    QString source; // empty for an archive of the whole set
    QString backup;
    bool dated = false;
    bool ignoresCase = false; // the copy's folder takes names without letter case
    FileFacts sourceFacts;
    FileFacts backupFacts;
    QByteArray setState = {};
    bool nameCleared = false; // the rows under its name went in an earlier commit
    QList<ArchiveEntry> entries = {}; // an archive's files
};

// One version of a file the catalog knows: a copy of it, or its entry in an
// archive (copy is then the archive's row, with the entry's facts as source facts).
struct CatalogVersion {
    CatalogCopy copy;
    QString entry; // the name inside the archive; empty for a copy
};

// A copy's name in its folder, and how the folder compares names.
struct CopyName {
    QString backup;
    bool ignoresCase = false;
};

// What one commit writes to the catalog, all of it or nothing.
struct CatalogChanges {
    // Names about to be replaced: their rows go before the new copies take the
    // names, so that no row ever describes a file that is no longer there.
    QList<CopyName> replaced = {};
    QList<MadeCopy> made = {};
    QList<qint64> forgotten = {}; // rows whose copies are gone, or no longer the program's
    QHash<QString, QString> drives = {}; // a fixed folder and the mount point it lay on
    bool isEmpty() const
    {
        return replaced.isEmpty() && made.isEmpty() && forgotten.isEmpty() && drives.isEmpty();
    }
};

// The record of the copies the program made: one row for each copy in place
// (a copy put under the name of an earlier one takes that one's row), kept
// in an SQLite file beside history.txt. Only a copy the catalog holds, with
// the size and time recorded for it, may be deleted by the program as its
// own. Commits are durable like the copies: a power cut leaves the catalog
// as it was before or after a commit.
class CopyCatalog {
public:
    explicit CopyCatalog(QString path);
    ~CopyCatalog();
    CopyCatalog(const CopyCatalog&) = delete;
    CopyCatalog& operator=(const CopyCatalog&) = delete;

    const QString& path() const { return m_path; }
    bool isOpen() const { return m_db != nullptr; }
    // Opens the catalog, making it when missing. A file that cannot be read as
    // a catalog is moved aside as "<path>.unreadable-<date>-<time>" (the
    // local time now) and a new catalog started. Returns what the user must be
    // told: empty when all went well or it was open already.
    QString open(const QDateTime& now);

    // The number of the next run: one above the last run recorded.
    qint64 nextRun();
    // Records made copies (with the run's number and time), forgets rows and
    // remembers drives, in one durable transaction. A catalog found damaged
    // on the way is set aside and the commit made in a new one; problem then
    // says so.
    FileResult commit(
        qint64 run, const QDateTime& at, const CatalogChanges& changes, QString* problem = nullptr);

    // The newest copy of source (empty: the archives) in folder (ending in
    // "/"); with dated set, only copies of that kind.
    std::optional<CatalogCopy> newest(
        const QString& source, const QString& folder, std::optional<bool> dated = std::nullopt);
    // The dated copies of source (empty: the archives) in folder, newest
    // first, with when each was made.
    QList<CatalogCopy> datedCopies(const QString& source, const QString& folder);
    // The copy recorded under backup's name; a folder that ignores letter
    // case matches the name whatever its case.
    std::optional<CatalogCopy> copyNamed(const QString& backup, bool ignoresCase);
    // Every version of source the catalog holds, in every folder, copies and
    // archive entries alike, newest first, with when each was made.
    QList<CatalogVersion> versionsOf(const QString& source);
    // The mount point folder lay on when a copy was last put into it.
    QString mountPointOf(const QString& folder);
    // Lookups share one read of the catalog until a commit or this call.
    void finishReading();

private:
    enum class Opened { Yes, Damaged, Failed };
    Opened openFile();
    void close();
    QString setAside(const QDateTime& now);
    bool write(qint64 run, const QDateTime& at, const CatalogChanges& changes);
    qint64 idOf(QHash<QString, qint64>& ids, const char* insert, const QString& text);
    bool forgetName(const CopyName& name);
    bool writeEntries(qint64 archive, const QList<ArchiveEntry>& entries);
    // The row id of source; nothing for the archives (an empty source), 0
    // for a source the catalog does not know.
    std::optional<qint64> sourceId(const QString& source) const;
    // Begins the read that lookups share; false without a catalog.
    bool reading();
    // The statement for sql, prepared at its first use.
    sqlite3_stmt* statement(const char* sql);
    QString lastError() const;
    bool isDamaged() const;

    QString m_path;
    sqlite3* m_db = nullptr;
    std::unique_ptr<CatalogStatements> m_statements;
    QString m_openError; // why the last open failed
    bool m_reading = false; // a read transaction is open
    QHash<QString, qint64> m_sources; // every source in the catalog, by path
    QHash<QString, qint64> m_folders; // every folder, by path
};

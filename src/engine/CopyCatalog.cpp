#include "CopyCatalog.h"

#include "CatalogNames.h"
#include "CatalogQuery.h"

#include <QFile>

#include <sqlite3.h>

namespace {

constexpr int SchemaVersion = 2;

// What each archive holds: its files by the names they have inside it, with
// the size and time each had when packed. Added in the catalog's second form.
const char* const ArchiveEntries = R"sql(
CREATE TABLE archive_entries(
  archive INTEGER NOT NULL REFERENCES copies(id),
  source INTEGER NOT NULL REFERENCES sources(id),
  name TEXT NOT NULL,
  source_size INTEGER NOT NULL,
  source_mtime_ns INTEGER NOT NULL);
CREATE INDEX archive_entries_of_source ON archive_entries(source, archive);
CREATE INDEX archive_entries_of_archive ON archive_entries(archive);
CREATE TRIGGER archive_gone AFTER DELETE ON copies
  BEGIN DELETE FROM archive_entries WHERE archive = old.id; END;
PRAGMA user_version = 2;
)sql";

const char* const Schema = R"sql(
CREATE TABLE runs(id INTEGER PRIMARY KEY, at_ms INTEGER NOT NULL);
CREATE TABLE sources(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE);
CREATE TABLE folders(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE, mount_point TEXT);
CREATE TABLE copies(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  source INTEGER REFERENCES sources(id),
  folder INTEGER NOT NULL REFERENCES folders(id),
  name TEXT NOT NULL,
  name_key INTEGER NOT NULL,
  dated INTEGER NOT NULL,
  run INTEGER NOT NULL,
  source_size INTEGER,
  source_mtime_ns INTEGER,
  backup_size INTEGER NOT NULL,
  backup_mtime_ns INTEGER NOT NULL,
  set_state BLOB);
CREATE INDEX copies_of_source ON copies(source, folder, id);
CREATE INDEX copies_by_name ON copies(folder, name_key);
PRAGMA user_version = 1;
)sql";

} // namespace

CopyCatalog::CopyCatalog(QString path)
    : m_path(std::move(path))
{
}

CopyCatalog::~CopyCatalog()
{
    close();
}

void CopyCatalog::close()
{
    if (!m_db)
        return;
    finishReading();
    m_statements.reset();
    sqlite3_close(m_db);
    m_db = nullptr;
    m_sources.clear();
    m_folders.clear();
}

QString CopyCatalog::lastError() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
}

bool CopyCatalog::isDamaged() const
{
    const int code = m_db ? sqlite3_errcode(m_db) & 0xFF : SQLITE_OK;
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

sqlite3_stmt* CopyCatalog::statement(const char* sql)
{
    if (!m_statements)
        m_statements = std::make_unique<CatalogStatements>(m_db);
    return m_statements->get(sql);
}

CopyCatalog::Opened CopyCatalog::openFile()
{
    const auto failed = [this] {
        m_openError = lastError();
        const Opened how = isDamaged() ? Opened::Damaged : Opened::Failed;
        close();
        return how;
    };
    if (sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db,
            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK)
        return failed();
    sqlite3_busy_timeout(m_db, 5000);
    // The write-ahead log needs one flush per commit, and a commit cut short
    // by a power cut is simply not there afterwards.
    if (!exec(m_db, "PRAGMA journal_mode=WAL") || !exec(m_db, "PRAGMA synchronous=FULL"))
        return failed();
    // Each query is done with before a failure closes the catalog under it.
    qint64 version = -1;
    {
        Query read(statement("PRAGMA user_version"));
        if (read.next())
            version = read.integer(0);
    }
    if (version < 0)
        return failed();
    if (version == 0 || version == 1) {
        // A catalog of the first form gains what archives hold; theirs stay unknown.
        if (!exec(m_db, "BEGIN IMMEDIATE") || (version == 0 && !exec(m_db, Schema))
            || !exec(m_db, ArchiveEntries) || !exec(m_db, "COMMIT"))
            return failed();
    } else if (version != SchemaVersion) {
        close();
        m_openError = QStringLiteral("it was written in a form this version does not know");
        return Opened::Damaged;
    }
    for (auto [table, ids] : { std::pair { "SELECT id, path FROM sources", &m_sources },
             std::pair { "SELECT id, path FROM folders", &m_folders } }) {
        bool read = false;
        {
            Query rows(statement(table));
            while (rows.next())
                ids->insert(rows.text(1), rows.integer(0));
            read = !rows.failed();
        }
        if (!read)
            return failed();
    }
    return Opened::Yes;
}

QString CopyCatalog::open(const QDateTime& now)
{
    if (m_db)
        return {};
    const Opened opened = openFile();
    if (opened == Opened::Yes)
        return {};
    const QString why = m_openError;
    if (opened == Opened::Failed) {
        return QStringLiteral("The catalog of backups \"%1\" cannot be opened: %2. Until it can, old copies "
                              "are not trimmed and no file is skipped as unchanged.")
            .arg(m_path, why);
    }
    const QString aside = setAside(now);
    if (openFile() != Opened::Yes) {
        return QStringLiteral("The catalog of backups \"%1\" could not be read (%2) and no new one could be "
                              "started: %3.")
            .arg(m_path, why, m_openError);
    }
    return QStringLiteral(
        "The catalog of backups \"%1\" could not be read (%2). It was moved aside as \"%3\" "
        "and a new one started; copies made before are no longer trimmed.")
        .arg(m_path, why, aside);
}

QString CopyCatalog::setAside(const QDateTime& now)
{
    const QString aside = m_path + QStringLiteral(".unreadable-") + now.toString(u"yyyyMMdd-HHmmss");
    QFile::rename(m_path, aside);
    // The log of the write-ahead belongs to the file it was written for.
    if (QFile::exists(m_path + QStringLiteral("-wal")))
        QFile::rename(m_path + QStringLiteral("-wal"), aside + QStringLiteral("-wal"));
    QFile::remove(m_path + QStringLiteral("-shm"));
    return aside;
}

qint64 CopyCatalog::nextRun()
{
    if (!reading())
        return 1;
    Query last(statement("SELECT coalesce(max(id), 0) FROM runs"));
    return last.next() ? last.integer(0) + 1 : 1;
}

qint64 CopyCatalog::idOf(QHash<QString, qint64>& ids, const char* insert, const QString& text)
{
    if (const auto found = ids.constFind(text); found != ids.cend())
        return *found;
    Query add(statement(insert));
    if (!add.bind(1, text).run())
        return 0;
    const qint64 id = sqlite3_last_insert_rowid(m_db);
    ids.insert(text, id);
    return id;
}

bool CopyCatalog::forgetName(const CopyName& copy)
{
    const auto [folder, name] = splitPath(copy.backup);
    const auto folderId = m_folders.constFind(folder);
    if (folderId == m_folders.cend())
        return true;
    // Where letter case does not count, the key (of the folded name) alone
    // says that two names are one.
    return Query(statement("DELETE FROM copies WHERE folder = ?1 AND name_key = ?2 AND (?3 OR name = ?4)"))
        .bind(1, *folderId)
        .bind(2, nameKey(name))
        .bind(3, copy.ignoresCase ? 1 : 0)
        .bind(4, name)
        .run();
}

bool CopyCatalog::write(qint64 run, const QDateTime& at, const CatalogChanges& changes)
{
    for (const CopyName& name : changes.replaced) {
        if (!forgetName(name))
            return false;
    }
    if (!changes.made.isEmpty()
        && !Query(statement("INSERT OR IGNORE INTO runs(id, at_ms) VALUES(?1, ?2)"))
                .bind(1, run)
                .bind(2, at.toMSecsSinceEpoch())
                .run())
        return false;
    for (const qint64 id : changes.forgotten) {
        if (!Query(statement("DELETE FROM copies WHERE id = ?1")).bind(1, id).run())
            return false;
    }
    for (const MadeCopy& made : changes.made) {
        const auto [folder, name] = splitPath(made.backup);
        const qint64 folderId = idOf(m_folders, "INSERT INTO folders(path) VALUES(?1)", folder);
        const qint64 sourceId = made.source.isEmpty()
            ? 0
            : idOf(m_sources, "INSERT INTO sources(path) VALUES(?1)", made.source);
        if (folderId == 0 || (!made.source.isEmpty() && sourceId == 0))
            return false;
        // The copy it replaced is gone: so is its row.
        if (!made.nameCleared && !forgetName({ made.backup, made.ignoresCase }))
            return false;
        const qint64 key = nameKey(name);
        Query add(statement(
            "INSERT INTO copies(source, folder, name, name_key, dated, run, source_size, source_mtime_ns, "
            "backup_size, backup_mtime_ns, set_state) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)"));
        const bool isArchive = made.source.isEmpty();
        add.bindNullable(1, isArchive ? std::nullopt : std::optional(sourceId))
            .bind(2, folderId)
            .bind(3, name)
            .bind(4, key)
            .bind(5, made.dated ? 1 : 0)
            .bind(6, run)
            .bindNullable(7, isArchive ? std::nullopt : std::optional(made.sourceFacts.size))
            .bindNullable(8, isArchive ? std::nullopt : std::optional(made.sourceFacts.modifiedNs))
            .bind(9, made.backupFacts.size)
            .bind(10, made.backupFacts.modifiedNs)
            .bindBlob(11, made.setState);
        if (!add.run())
            return false;
        if (!writeEntries(sqlite3_last_insert_rowid(m_db), made.entries))
            return false;
    }
    for (auto drive = changes.drives.cbegin(); drive != changes.drives.cend(); ++drive) {
        const qint64 folderId = idOf(m_folders, "INSERT INTO folders(path) VALUES(?1)", drive.key());
        if (folderId == 0
            || !Query(statement("UPDATE folders SET mount_point = ?1 WHERE id = ?2"))
                    .bind(1, drive.value())
                    .bind(2, folderId)
                    .run())
            return false;
    }
    return true;
}

bool CopyCatalog::writeEntries(qint64 archive, const QList<ArchiveEntry>& entries)
{
    for (const ArchiveEntry& entry : entries) {
        const qint64 sourceId = idOf(m_sources, "INSERT INTO sources(path) VALUES(?1)", entry.source);
        if (sourceId == 0
            || !Query(statement("INSERT INTO archive_entries(archive, source, name, source_size, "
                                "source_mtime_ns) VALUES(?1, ?2, ?3, ?4, ?5)"))
                    .bind(1, archive)
                    .bind(2, sourceId)
                    .bind(3, entry.name)
                    .bind(4, entry.facts.size)
                    .bind(5, entry.facts.modifiedNs)
                    .run())
            return false;
    }
    return true;
}

bool CopyCatalog::reading()
{
    if (!m_db)
        return false;
    if (!m_reading && sqlite3_get_autocommit(m_db))
        m_reading = exec(m_db, "BEGIN");
    return true;
}

void CopyCatalog::finishReading()
{
    if (m_reading && m_db)
        exec(m_db, "COMMIT");
    m_reading = false;
}

FileResult CopyCatalog::commit(
    qint64 run, const QDateTime& at, const CatalogChanges& changes, QString* problem)
{
    if (changes.isEmpty())
        return FileResult::success();
    finishReading();
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!m_db) {
            if (const QString opened = open(at); !opened.isEmpty() && problem)
                *problem = opened;
            if (!m_db)
                break;
        }
        if (exec(m_db, "BEGIN IMMEDIATE")) {
            if (write(run, at, changes) && exec(m_db, "COMMIT"))
                return FileResult::success();
            const QString why = lastError();
            const bool damaged = isDamaged();
            exec(m_db, "ROLLBACK");
            // The ids of what the rollback took back are gone again.
            m_sources.clear();
            m_folders.clear();
            close();
            if (!damaged)
                return FileResult::failure(
                    QStringLiteral("Cannot write the catalog of backups \"%1\": %2").arg(m_path, why));
            if (problem)
                *problem
                    = QStringLiteral("The catalog of backups \"%1\" was damaged (%2). It was moved aside "
                                     "as \"%3\" and a new one started; copies made before are no longer "
                                     "trimmed.")
                          .arg(m_path, why, setAside(at));
            continue;
        }
        const QString why = lastError();
        close();
        return FileResult::failure(
            QStringLiteral("Cannot write the catalog of backups \"%1\": %2").arg(m_path, why));
    }
    return FileResult::failure(QStringLiteral("Cannot write the catalog of backups \"%1\"").arg(m_path));
}

#include "CatalogNames.h"
#include "CatalogQuery.h"
#include "CopyCatalog.h"

// The catalog's lookups: what a run asks before it copies, trims or skips,
// and what the Restore window lists.

namespace {

// What a lookup reads of a copy; its folder and source the asker knows.
#define COPY_COLUMNS                                                                                         \
    "SELECT c.id, c.name, c.run, c.source_size, c.source_mtime_ns, c.backup_size, c.backup_mtime_ns, "       \
    "c.set_state"
// The same, with when the run that made it started (one look-up more a row).
#define COPY_COLUMNS_MADE COPY_COLUMNS ", (SELECT r.at_ms FROM runs r WHERE r.id = c.run)"

CatalogCopy copyFrom(const Query& row, const QString& folder, const QString& source)
{
    CatalogCopy copy;
    copy.id = row.integer(0);
    copy.backup = folder + row.text(1);
    copy.run = row.integer(2);
    copy.sourceFacts = { row.integer(3), row.integer(4) };
    copy.backupFacts = { row.integer(5), row.integer(6) };
    copy.setState = row.blob(7);
    copy.source = source;
    return copy;
}

QDateTime madeAt(const Query& row, int column)
{
    return row.isNull(column) ? QDateTime() : QDateTime::fromMSecsSinceEpoch(row.integer(column), Qt::UTC);
}

} // namespace

std::optional<qint64> CopyCatalog::sourceId(const QString& source) const
{
    if (source.isEmpty())
        return std::nullopt; // the archives
    return m_sources.value(source, 0);
}

std::optional<CatalogCopy> CopyCatalog::newest(
    const QString& source, const QString& folder, std::optional<bool> dated)
{
    const qint64 folderId = m_folders.value(folder, 0);
    const std::optional<qint64> sourceOf = sourceId(source);
    if (folderId == 0 || sourceOf == 0 || !reading())
        return std::nullopt;
    Query row(statement(COPY_COLUMNS " FROM copies c WHERE c.source IS ?1 AND c.folder = ?2"
                                     " AND (?3 IS NULL OR c.dated = ?3) ORDER BY c.id DESC LIMIT 1"));
    row.bindNullable(1, sourceOf)
        .bind(2, folderId)
        .bindNullable(3, dated ? std::optional<qint64>(*dated) : std::nullopt);
    if (!row.next())
        return std::nullopt;
    return copyFrom(row, folder, source);
}

QList<CatalogCopy> CopyCatalog::datedCopies(const QString& source, const QString& folder)
{
    QList<CatalogCopy> copies;
    const qint64 folderId = m_folders.value(folder, 0);
    const std::optional<qint64> sourceOf = sourceId(source);
    if (folderId == 0 || sourceOf == 0 || !reading())
        return copies;
    Query rows(statement(COPY_COLUMNS_MADE
        " FROM copies c WHERE c.source IS ?1 AND c.folder = ?2 AND c.dated = 1 ORDER BY c.id DESC"));
    rows.bindNullable(1, sourceOf).bind(2, folderId);
    while (rows.next()) {
        copies << copyFrom(rows, folder, source);
        copies.last().made = madeAt(rows, 8);
    }
    return copies;
}

std::optional<CatalogCopy> CopyCatalog::copyNamed(const QString& backup, bool ignoresCase)
{
    const auto [folder, name] = splitPath(backup);
    const qint64 folderId = m_folders.value(folder, 0);
    if (folderId == 0 || !reading())
        return std::nullopt;
    Query rows(statement(COPY_COLUMNS ", s.path FROM copies c LEFT JOIN sources s ON s.id = c.source"
                                      " WHERE c.folder = ?1 AND c.name_key = ?2 ORDER BY c.id DESC"));
    rows.bind(1, folderId).bind(2, nameKey(name));
    while (rows.next()) {
        if (sameName(rows.text(1), name, ignoresCase))
            return copyFrom(rows, folder, rows.text(8));
    }
    return std::nullopt;
}

QList<CatalogVersion> CopyCatalog::versionsOf(const QString& source)
{
    QList<CatalogVersion> versions;
    const qint64 sourceOf = m_sources.value(source, 0);
    if (sourceOf == 0 || !reading())
        return versions;
    // Copies of the file, then the archives that hold it, merged by the order made.
    Query rows(statement(COPY_COLUMNS_MADE ", f.path, NULL FROM copies c JOIN folders f ON f.id = c.folder"
                                           " WHERE c.source = ?1"
                                           " UNION ALL SELECT c.id, c.name, c.run, e.source_size,"
                                           " e.source_mtime_ns, c.backup_size, c.backup_mtime_ns, NULL,"
                                           " (SELECT r.at_ms FROM runs r WHERE r.id = c.run), f.path, e.name"
                                           " FROM archive_entries e JOIN copies c ON c.id = e.archive"
                                           " JOIN folders f ON f.id = c.folder WHERE e.source = ?1"
                                           " ORDER BY 1 DESC"));
    rows.bind(1, sourceOf);
    while (rows.next()) {
        CatalogVersion version { copyFrom(rows, rows.text(9), source), rows.text(10) };
        version.copy.made = madeAt(rows, 8);
        versions << version;
    }
    return versions;
}

QString CopyCatalog::mountPointOf(const QString& folder)
{
    const qint64 folderId = m_folders.value(folder, 0);
    if (folderId == 0 || !reading())
        return {};
    Query row(statement("SELECT mount_point FROM folders WHERE id = ?1"));
    row.bind(1, folderId);
    return row.next() ? row.text(0) : QString();
}

#include "OwnCopies.h"

#include "PathPieces.h"
#include "platform/FileSystem.h"

OwnCopies::OwnCopies(CopyCatalog* catalog, FileSystem& files, const QDateTime& started)
    : m_catalog(catalog && catalog->isOpen() ? catalog : nullptr)
    , m_files(files)
    , m_started(started)
    , m_run(m_catalog ? m_catalog->nextRun() : 0)
{
}

OwnCopies::~OwnCopies()
{
    if (m_catalog)
        m_catalog->finishReading();
}

QString OwnCopies::catalogName() const
{
    return m_catalog ? fileNameOf(m_catalog->path()) : QString();
}

bool OwnCopies::ignoresCase(const QString& folder)
{
    auto found = m_ignoresCase.find(folder);
    if (found == m_ignoresCase.end())
        found = m_ignoresCase.insert(folder, m_files.ignoresLetterCase(folder));
    return *found;
}

QString OwnCopies::nameKey(const QString& path)
{
    return ignoresCase(sourceFolderOf(path)) ? path.toCaseFolded() : path;
}

std::optional<FileFacts> OwnCopies::factsOf(const QString& path, bool followLinks)
{
    // A run looks at thousands of files in a few folders: walking each
    // folder's path once is most of the saving of a run that skips them all.
    const QString folder = sourceFolderOf(path);
    auto found = m_folders.find(folder);
    if (found == m_folders.end())
        found = m_folders.emplace(folder, m_files.openFolder(folder)).first;
    if (!found->second)
        return followLinks ? m_files.fileFacts(path) : m_files.regularFileFacts(path);
    const QString name = fileNameOf(path);
    return followLinks ? found->second->fileFacts(name) : found->second->regularFileFacts(name);
}

bool OwnCopies::isOwnCopy(const CatalogCopy& copy)
{
    // A link is never a copy of ours, whatever it points to.
    return factsOf(copy.backup, false) == copy.backupFacts;
}

bool OwnCopies::isUnchanged(const QString& source, const QString& folder)
{
    if (!m_catalog)
        return false;
    const std::optional<CatalogCopy> newest = m_catalog->newest(source, folder);
    // The times compared are each drive's own: the source's as it had it
    // then, the copy's as its drive stored it (whole seconds on some).
    return newest && factsOf(source, true) == newest->sourceFacts && isOwnCopy(*newest);
}

OwnCopies::NameHolder OwnCopies::holderOf(const QString& backup, const QString& source)
{
    if (!m_catalog)
        return {};
    const std::optional<CatalogCopy> holder
        = m_catalog->copyNamed(backup, ignoresCase(sourceFolderOf(backup)));
    if (!holder)
        return {};
    if (holder->source == source || !isOwnCopy(*holder))
        return { true, std::nullopt };
    return { true, holder->source };
}

bool OwnCopies::archiveUnchanged(const QString& folder, bool dated, const QByteArray& setState)
{
    if (!m_catalog || setState.isEmpty())
        return false;
    const std::optional<CatalogCopy> newest = m_catalog->newest(QString(), folder, dated);
    return newest && newest->setState == setState && isOwnCopy(*newest);
}

void OwnCopies::made(const QString& source, const QString& backup, bool dated, const FileFacts& sourceFacts,
    const FileFacts& stored, const QByteArray& setState, const QList<ArchiveEntry>& entries)
{
    if (m_catalog)
        m_changes.made.append({ source, backup, dated, ignoresCase(sourceFolderOf(backup)), sourceFacts,
            stored, setState, m_cleared.contains(backup), entries });
}

void OwnCopies::reached(const QString& folder, const QString& mountPoint)
{
    if (m_catalog && !mountPoint.isEmpty())
        m_changes.drives.insert(folder, mountPoint);
}

FileResult OwnCopies::commit(const FailureReport& report)
{
    m_cleared.clear();
    return commit(std::exchange(m_changes, {}), report);
}

FileResult OwnCopies::replacing(const QStringList& backups, const FailureReport& report)
{
    if (!m_catalog)
        return FileResult::success();
    CatalogChanges changes;
    for (const QString& backup : backups)
        changes.replaced.append({ backup, ignoresCase(sourceFolderOf(backup)) });
    const FileResult cleared = commit(changes, report);
    m_cleared = cleared ? QSet<QString>(backups.begin(), backups.end()) : QSet<QString>();
    return cleared;
}

FileResult OwnCopies::commit(const CatalogChanges& changes, const FailureReport& report)
{
    if (!m_catalog || changes.isEmpty())
        return FileResult::success();
    QString problem;
    const FileResult written = m_catalog->commit(m_run, m_started, changes, &problem);
    if (!problem.isEmpty())
        report(problem, catalogName());
    return written;
}

bool OwnCopies::isInBackupSet(const QString& path, const QStringList& backupSet)
{
    if (m_setPaths.isEmpty()) {
        for (const QString& entry : backupSet) {
            m_setPaths.insert(entry);
            m_setFolded.insert(entry.toCaseFolded());
        }
    }
    return m_setPaths.contains(path)
        || (ignoresCase(sourceFolderOf(path)) && m_setFolded.contains(path.toCaseFolded()));
}

void OwnCopies::chooseSurplus(const QString& source, const QString& folder, const KeepCounts& keep,
    const QStringList& backupSet, const QString& coming)
{
    if (!m_catalog || !keep.thins())
        return;
    // Newest by the order the copies were made, never by their stamps.
    QList<CatalogCopy> own;
    QList<QDateTime> made;
    if (!coming.isEmpty()) {
        CatalogCopy next;
        next.source = source;
        next.backup = coming;
        next.run = m_run;
        own << next;
        made << m_started;
    }
    for (const CatalogCopy& copy : m_catalog->datedCopies(source, folder)) {
        if (!isOwnCopy(copy)) {
            m_changes.forgotten << copy.id; // gone, or no longer the copy the program made
            continue;
        }
        if (!coming.isEmpty() && nameKey(copy.backup) == nameKey(coming))
            continue; // replaced by the copy coming, not trimmed
        own << copy;
        made << copy.made;
    }
    const QList<bool> survives = survivingCopies(made, keep, m_started);
    for (qsizetype i = 0; i < own.size(); ++i) {
        if (survives[i] || own[i].run == m_run || isInBackupSet(own[i].backup, backupSet))
            continue;
        m_changes.forgotten << own[i].id;
        m_surplus << own[i];
    }
}

bool OwnCopies::trimSurplus(const FailureReport& report)
{
    const QList<CatalogCopy> surplus = std::exchange(m_surplus, {});
    if (const FileResult forgotten = commit(report); !forgotten)
        return report(forgotten.description, catalogName()); // the copies stay, with their rows
    for (const CatalogCopy& copy : surplus) {
        if (const FileResult removed = m_files.removeFile(copy.backup); !removed) {
            if (!report(removed.description, fileNameOf(copy.source.isEmpty() ? copy.backup : copy.source)))
                return false;
        }
    }
    return true;
}

std::optional<QString> OwnCopies::missingDrive(const QString& folder, const QString& mountPointNow)
{
    if (!m_catalog || mountPointNow.isEmpty())
        return std::nullopt;
    const QString last = m_catalog->mountPointOf(folder);
    const QString above = mountPointNow.endsWith(u'/') ? mountPointNow : mountPointNow + u'/';
    if (last.isEmpty() || last == mountPointNow || !last.startsWith(above))
        return std::nullopt;
    return last;
}

#include "LocalCopyGroup.h"

#include "CopyFlushes.h"
#include "FileCopier.h"

#include <QCryptographicHash>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Data written but not yet flushed in one group; a flush of a larger amount
// would only hold the history lines back longer.
constexpr qint64 MaxGroupBytes = qint64(256) << 20;

QByteArray workingPathOf(const QByteArray& destination)
{
    const QByteArray name = destination.mid(destination.lastIndexOf('/') + 1);
    // Fixed length, so it fits wherever the backup's own name fits.
    const QByteArray hash = QCryptographicHash::hash(name, QCryptographicHash::Sha256).toHex().left(20);
    return folderOf(destination) + "/.quillstead-" + hash + ".part";
}

// A copy keeps its source's permission bits: a file of ours that has the
// bits of a read-only source is read-only only because its source is.
bool isReadOnlyCopyOf(const QByteArray& path, const struct stat& source)
{
    struct stat info { };
    return (source.st_mode & S_IWUSR) == 0 && ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode)
        && info.st_uid == ::geteuid() && (info.st_mode & 07777) == (source.st_mode & 07777);
}

FileResult notRegular(const QString& source)
{
    return FileResult::failure(QStringLiteral("Cannot copy: \"%1\" is not a regular file").arg(source));
}

} // namespace

bool LocalCopyGroup::isFull() const
{
    // Each waiting copy holds its working file open (and locked): stay well
    // inside the number of files a process may hold open.
    static const qsizetype maxFiles = [] {
        struct rlimit limit { };
        const rlim_t open = ::getrlimit(RLIMIT_NOFILE, &limit) == 0 ? limit.rlim_cur : 1024;
        return qsizetype(std::clamp<rlim_t>(open / 2 - 64, 16, 1024));
    }();
    return qsizetype(m_pending.size()) >= maxFiles || m_bytes >= MaxGroupBytes;
}

QString LocalCopyGroup::workingPathFor(const QString& destination)
{
    return QFile::decodeName(workingPathOf(QFile::encodeName(destination)));
}

LocalCopyGroup::~LocalCopyGroup()
{
    for (PendingCopy& pending : m_pending)
        discard(pending);
}

bool LocalCopyGroup::holds(const QString& destination) const
{
    return m_destinations.contains(destination);
}

void LocalCopyGroup::discard(PendingCopy& pending)
{
    if (!pending.file.valid())
        return;
    // Removed while still locked: no other copy of the program can be using it.
    if (!pending.workingPath.isEmpty())
        ::unlink(pending.workingPath.constData());
    else if (pending.madeNew)
        ::unlink(pending.finalPath.constData());
    if (pending.modeBefore)
        ::fchmod(pending.file.get(), *pending.modeBefore);
    pending.file.reset();
}

FileResult LocalCopyGroup::add(const QString& source, const QString& destination, const KeepGoing& keepGoing)
{
    const auto from = encodedPath(source);
    if (!from)
        return badNameOf(source);
    const auto to = encodedPath(destination);
    if (!to)
        return badNameOf(destination);

    // Looked at before it is opened: opening a pipe waits for a writer, and a
    // device such as /dev/zero never ends.
    struct stat info { };
    if (::stat(from->constData(), &info) != 0)
        return failureOf(QStringLiteral("Cannot open"), source, errno);
    if (S_ISDIR(info.st_mode))
        return failureOf(QStringLiteral("Cannot copy"), source, EISDIR);
    if (!S_ISREG(info.st_mode))
        return notRegular(source);
    FileDescriptor in(::open(from->constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!in.valid())
        return failureOf(QStringLiteral("Cannot open"), source, errno);
    if (::fstat(in.get(), &info) != 0)
        return failureOf(QStringLiteral("Cannot read"), source, errno);
    if (!S_ISREG(info.st_mode))
        return notRegular(source); // swapped for something else since the look

    // A backup the user made read-only is not replaced behind their back. A
    // copy keeps its source's bits, though: one read-only only because its
    // source is, and any scratch copy, is replaced like any other.
    const bool writable = ::faccessat(AT_FDCWD, to->constData(), W_OK, AT_EACCESS) == 0;
    const int accessError = writable ? 0 : errno;
    const bool exists = writable || accessError != ENOENT;
    const bool replacesReadOnly = !writable && exists && (!m_durable || isReadOnlyCopyOf(*to, info));
    if (!writable && exists && !replacesReadOnly)
        return failureOf(QStringLiteral("Cannot write"), destination, accessError);

    PendingCopy pending { destination, *to, workingPathOf(*to), FileDescriptor(), 0, replacesReadOnly, {},
        false };
    if (FileResult opened = openDestination(pending, exists); !opened)
        return opened;

    FileCopier copier(in.get(), pending.file.get(), keepGoing);
    // Fewer blocks than the size needs: the file has holes worth keeping.
    const bool sparse = info.st_blocks * 512 < info.st_size;
    const CopyError failed = copier.copy(info.st_size, sparse);
    if (failed.side != CopyError::None) {
        if (pending.workingPath.isEmpty() && !pending.madeNew)
            ::ftruncate(pending.file.get(), 0); // written in place: never leave half a backup
        discard(pending);
        switch (failed.side) {
        case CopyError::Read:
            return failureOf(QStringLiteral("Cannot read"), source, failed.error);
        case CopyError::Write:
            return failureOf(QStringLiteral("Cannot write"), destination, failed.error);
        default:
            return FileResult::failure(QStringLiteral("The copy of \"%1\" was abandoned").arg(source));
        }
    }
    const mode_t mode = info.st_mode & 07777;
    ::fchmod(pending.file.get(), mode);
    const struct timespec times[2] = { info.st_atim, info.st_mtim };
    ::futimens(pending.file.get(), times);

    // Start writing a large copy out now, while the next files are copied, so
    // that the flush before the renames finds little left to do (small ones
    // are written out better together, by that flush).
    if (m_durable && info.st_size >= FileCopier::Piece)
        ::sync_file_range(pending.file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
    if (pending.workingPath.isEmpty()) {
        // Already under its final name: make it durable now.
        if ((m_durable && ::fdatasync(pending.file.get()) != 0) || pending.file.close() != 0)
            return failureOf(QStringLiteral("Cannot write"), destination, errno);
    }
    m_bytes += info.st_size;
    m_destinations.insert(destination);
    m_pending.push_back(std::move(pending));
    return FileResult::success(factsFrom(info));
}

FileResult LocalCopyGroup::openWorkingFile(PendingCopy& pending, bool destinationExists)
{
    const char* working = pending.workingPath.constData();
    // A few rounds at most: each one means another copy of the program put
    // the working file in place or removed it just then.
    for (int round = 0; round < 8; ++round) {
        // Usually no working file is there: a new one is ours alone (no one
        // else can take it for a leftover once it is locked, just below).
        const int fresh = round == 0 ? O_EXCL : 0;
        FileDescriptor file(
            ::open(working, O_WRONLY | O_CREAT | fresh | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600));
        if (!file.valid() && errno == EEXIST && fresh)
            continue;
        if (!file.valid()) {
            const int error = errno;
            // In a folder the user cannot write to, a backup the user may
            // write is replaced in place, as a plain copy would do.
            if ((error == EACCES || error == EPERM) && destinationExists)
                return openInPlace(pending);
            return failureOf(QStringLiteral("Cannot write"), pending.destination, error);
        }
        if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK)
                return FileResult::failure(
                    QStringLiteral("Cannot write \"%1\": another copy of the program is writing this backup")
                        .arg(pending.destination));
            return failureOf(QStringLiteral("Cannot write"), pending.destination, errno);
        }
        struct stat mine { };
        if (::fstat(file.get(), &mine) != 0)
            return failureOf(QStringLiteral("Cannot write"), pending.destination, errno);
        // The lock may have come free because its holder renamed or removed
        // the file; then this descriptor is not the working file any more.
        struct stat named { };
        if (!fresh
            && (::lstat(working, &named) != 0 || named.st_dev != mine.st_dev || named.st_ino != mine.st_ino))
            continue;
        if (!fresh && !S_ISREG(mine.st_mode))
            return failureOf(QStringLiteral("Cannot write"), pending.destination, EEXIST);
        // What an interrupted copy left is ours to reuse now.
        if (mine.st_size != 0 && ::ftruncate(file.get(), 0) != 0)
            return failureOf(QStringLiteral("Cannot write"), pending.destination, errno);
        pending.device = mine.st_dev;
        pending.file = std::move(file);
        pending.flushAlone = needsFlushAlone(pending);
        return FileResult::success();
    }
    return failureOf(QStringLiteral("Cannot write"), pending.destination, EBUSY);
}

FileResult LocalCopyGroup::openDestination(PendingCopy& pending, bool destinationExists)
{
    // A scratch copy is made as a new file under its own name; only where
    // that is refused does it go through a working file.
    if (!m_durable && openAsNewFile(pending))
        return FileResult::success();
    pending.workingPath = workingPathOf(pending.finalPath);
    return openWorkingFile(pending, destinationExists);
}

FileResult LocalCopyGroup::openAsNewFile(PendingCopy& pending)
{
    // The earlier copy goes first; a link there is removed, never written
    // through. Rewriting the earlier copy in place, or renaming a new one
    // over it, would make ext4 write this data out at the next flush (the
    // archive's, in the same run); a new file's data waits, as any new
    // file's does, and may never reach the disk at all.
    const char* path = pending.finalPath.constData();
    if (::unlink(path) != 0 && errno != ENOENT)
        return failureOf(QStringLiteral("Cannot write"), pending.destination, errno);
    FileDescriptor file(
        ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600));
    struct stat info { };
    if (!file.valid() || ::fstat(file.get(), &info) != 0)
        return failureOf(QStringLiteral("Cannot write"), pending.destination, errno);
    pending.workingPath.clear();
    pending.madeNew = true;
    pending.device = info.st_dev;
    pending.file = std::move(file);
    return FileResult::success();
}

FileResult LocalCopyGroup::openInPlace(PendingCopy& pending)
{
    pending.workingPath.clear();
    const char* path = pending.finalPath.constData();
    constexpr int flags = O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    pending.file.reset(::open(path, flags));
    if (!pending.file.valid() && errno == EACCES && pending.replacesReadOnly) {
        // Made writable for the copy; the copy then takes its source's bits,
        // and a failed one gets its own back (see discard).
        struct stat before { };
        if (::stat(path, &before) == 0 && S_ISREG(before.st_mode)
            && ::chmod(path, (before.st_mode & 07777) | S_IWUSR) == 0) {
            pending.modeBefore = before.st_mode & 07777;
            pending.file.reset(::open(path, flags));
            if (!pending.file.valid())
                ::chmod(path, *pending.modeBefore);
        }
        errno = EACCES;
    }
    if (!pending.file.valid())
        return failureOf(QStringLiteral("Cannot write"), pending.destination, errno);
    int error = 0;
    struct stat info { };
    if (::fstat(pending.file.get(), &info) != 0)
        error = errno;
    else if (!S_ISREG(info.st_mode))
        error = EEXIST;
    else if (::flock(pending.file.get(), LOCK_EX | LOCK_NB) != 0 || ::ftruncate(pending.file.get(), 0) != 0)
        error = errno;
    if (error != 0) {
        discard(pending);
        return failureOf(QStringLiteral("Cannot write"), pending.destination, error);
    }
    pending.device = info.st_dev;
    return FileResult::success();
}

bool LocalCopyGroup::needsFlushAlone(const PendingCopy& pending)
{
    for (const auto& [device, alone] : m_flushAlone)
        if (device == pending.device)
            return alone;
    // A FUSE driver (exFAT, NTFS, sshfs) hears of a file's flush, but never
    // of the file system's: syncfs leaves its data wherever the driver keeps it.
    const bool alone = onFuseDrive(pending.file.get());
    m_flushAlone.emplace_back(pending.device, alone);
    return alone;
}

namespace {

// Why a working file could not take its backup's name. A drive that cannot
// store a character of the name (vfat, exFAT, NTFS with Windows names) says
// "invalid argument", or even "no such file" although folder and working
// file are both there.
FileResult renameFailure(const QString& destination, const QByteArray& workingPath, int error)
{
    struct stat info { };
    const bool refused = error == EINVAL || error == EILSEQ
        || (error == ENOENT && ::stat(workingPath.constData(), &info) == 0);
    FileResult result = failureOf(QStringLiteral("Cannot replace"), destination, error);
    if (refused)
        result.problem = FileProblem::NameRefused;
    return result;
}

} // namespace

QList<FileResult> LocalCopyGroup::commit()
{
    // Scratch copies are not flushed at all.
    const std::vector<int> unflushed(m_pending.size(), 0);
    const std::vector<int> dataErrors = m_durable ? flushData(m_pending) : unflushed;
    QList<FileResult> results;
    results.reserve(qsizetype(m_pending.size()));
    std::vector<bool> renamed(m_pending.size(), false);
    for (size_t i = 0; i < m_pending.size(); ++i) {
        PendingCopy& pending = m_pending[i];
        if (pending.workingPath.isEmpty()) {
            results.append(FileResult::success()); // written in place and flushed already
            continue;
        }
        if (dataErrors[i] != 0) {
            results.append(failureOf(QStringLiteral("Cannot write"), pending.destination, dataErrors[i]));
            discard(pending);
            continue;
        }
        if (::rename(pending.workingPath.constData(), pending.finalPath.constData()) != 0) {
            results.append(renameFailure(pending.destination, pending.workingPath, errno));
            discard(pending);
            continue;
        }
        renamed[i] = true;
        results.append(FileResult::success());
    }
    const std::vector<int> renameErrors = m_durable ? flushRenames(m_pending, renamed) : unflushed;
    for (size_t i = 0; i < m_pending.size(); ++i) {
        const PendingCopy& pending = m_pending[i];
        FileResult& result = results[qsizetype(i)];
        if (renameErrors[i] != 0)
            result = failureOf(QStringLiteral("Cannot write"), pending.destination, renameErrors[i]);
        // What the drive stored, which may be coarser than what was set.
        struct stat stored { };
        const bool read = m_durable && result
            && (pending.file.valid() ? ::fstat(pending.file.get(), &stored)
                                     : ::stat(pending.finalPath.constData(), &stored))
                == 0;
        if (read)
            result.facts = factsFrom(stored);
    }
    for (PendingCopy& pending : m_pending)
        pending.file.reset(); // in place now, or discarded: nothing to remove
    m_pending.clear();
    m_destinations.clear();
    m_bytes = 0;
    return results;
}

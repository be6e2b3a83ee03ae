#include "LocalFileSystem.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A name that does not survive the round trip to the system's encoding cannot
// be named on disk; it must fail rather than reach a different file.
std::optional<QByteArray> encoded(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    QByteArray bytes = QFile::encodeName(path);
    if (QFile::decodeName(bytes) != path || bytes.contains('\0'))
        return std::nullopt;
    return bytes;
}

FileResult failure(const QString& what, const QString& path, int error)
{
    return FileResult::failure(
        QStringLiteral("%1 \"%2\": %3").arg(what, path, QString::fromLocal8Bit(std::strerror(error))));
}

FileResult badName(const QString& path)
{
    return FileResult::failure(QStringLiteral("Bad file name or number: \"%1\"").arg(path));
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now and reports whether the close itself failed (it can, on full disks).
    int close()
    {
        int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Copies every byte from one descriptor to another: in the kernel where it can,
// by reading and writing where it cannot. expectedSize spares the call that
// would only report the end of a regular file.
bool copyContents(int from, int to, off_t expectedSize)
{
    off_t copied = 0;
    for (;;) {
        ssize_t moved = ::copy_file_range(from, nullptr, to, nullptr, size_t(1) << 30, 0);
        if (moved == 0)
            return true;
        if (moved > 0) {
            copied += moved;
            if (copied == expectedSize)
                return true;
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)
            break;
        return false;
    }
    static thread_local char buffer[1 << 17];
    for (;;) {
        ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (!writeAll(to, buffer, static_cast<size_t>(got)))
            return false;
    }
}

// The permission bits the process's umask leaves alone.
mode_t umaskValue()
{
    static const mode_t mask = [] {
        const mode_t current = ::umask(0);
        ::umask(current);
        return current;
    }();
    return mask;
}

QByteArray folderOf(const QByteArray& path)
{
    int slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    if (slash == 0)
        return "/";
    return path.left(slash);
}

} // namespace

FileResult LocalFileSystem::copyFile(const QString& source, const QString& destination)
{
    auto from = encoded(source);
    if (!from)
        return badName(source);
    auto to = encoded(destination);
    if (!to)
        return badName(destination);

    FileDescriptor in(::open(from->constData(), O_RDONLY | O_CLOEXEC));
    if (!in.valid())
        return failure(QStringLiteral("Cannot open"), source, errno);
    struct stat info { };
    if (::fstat(in.get(), &info) != 0)
        return failure(QStringLiteral("Cannot read"), source, errno);
    if (S_ISDIR(info.st_mode))
        return failure(QStringLiteral("Cannot copy"), source, EISDIR);

    const mode_t mode = info.st_mode & 07777;
    // A new backup is written in place: if the copy fails, the file is ours to
    // remove. An existing backup is kept until a hidden working file beside it
    // is whole, and only then replaced by rename.
    QByteArray temporary = *to;
    int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777);
    int openError = errno;
    const bool replacing = fd < 0 && openError == EEXIST;
    const QByteArray folder = folderOf(*to);
    for (int attempt = 0; replacing && attempt < 16 && fd < 0; ++attempt) {
        temporary = folder + "/.quillstead-"
            + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".part";
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777);
        openError = errno;
        if (fd < 0 && openError != EEXIST)
            break;
    }
    if (fd < 0)
        return failure(QStringLiteral("Cannot write"), destination, openError);
    FileDescriptor out(fd);

    auto abandon = [&](const QString& what, const QString& path, int error) {
        ::unlink(temporary.constData());
        return failure(what, path, error);
    };
    if (!copyContents(in.get(), out.get(), S_ISREG(info.st_mode) ? info.st_size : -1))
        return abandon(QStringLiteral("Cannot copy"), source, errno);
    if ((mode & umaskValue()) != 0 || (mode & ~mode_t(0777)) != 0)
        ::fchmod(out.get(), mode);
    const struct timespec times[2] = { info.st_atim, info.st_mtim };
    ::futimens(out.get(), times);
    if (out.close() != 0)
        return abandon(QStringLiteral("Cannot write"), destination, errno);
    if (replacing && ::rename(temporary.constData(), to->constData()) != 0)
        return abandon(QStringLiteral("Cannot replace"), destination, errno);
    return FileResult::success();
}

FileResult LocalFileSystem::appendToFile(const QString& path, const QByteArray& bytes)
{
    auto name = encoded(path);
    if (!name)
        return badName(path);
    FileDescriptor fd(::open(name->constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (!fd.valid())
        return failure(QStringLiteral("Cannot open"), path, errno);
    if (!writeAll(fd.get(), bytes.constData(), static_cast<size_t>(bytes.size())))
        return failure(QStringLiteral("Cannot write"), path, errno);
    if (fd.close() != 0)
        return failure(QStringLiteral("Cannot write"), path, errno);
    return FileResult::success();
}

FileResult LocalFileSystem::writeFile(const QString& path, const QByteArray& bytes)
{
    auto name = encoded(path);
    if (!name)
        return badName(path);
    FileDescriptor fd(::open(name->constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd.valid())
        return failure(QStringLiteral("Cannot open"), path, errno);
    if (!writeAll(fd.get(), bytes.constData(), static_cast<size_t>(bytes.size())))
        return failure(QStringLiteral("Cannot write"), path, errno);
    if (fd.close() != 0)
        return failure(QStringLiteral("Cannot write"), path, errno);
    return FileResult::success();
}

FileResult LocalFileSystem::removeFile(const QString& path)
{
    auto name = encoded(path);
    if (!name)
        return badName(path);
    if (::unlink(name->constData()) != 0)
        return failure(QStringLiteral("Cannot delete"), path, errno);
    return FileResult::success();
}

FileResult LocalFileSystem::renameFile(const QString& from, const QString& to)
{
    auto oldName = encoded(from);
    if (!oldName)
        return badName(from);
    auto newName = encoded(to);
    if (!newName)
        return badName(to);
    if (::rename(oldName->constData(), newName->constData()) != 0)
        return failure(QStringLiteral("Cannot rename"), from, errno);
    return FileResult::success();
}

FileResult LocalFileSystem::makeFolder(const QString& path)
{
    auto name = encoded(path);
    if (!name)
        return badName(path);
    if (::mkdir(name->constData(), 0755) != 0)
        return failure(QStringLiteral("Cannot create folder"), path, errno);
    return FileResult::success();
}

bool LocalFileSystem::folderExists(const QString& path) const
{
    auto name = encoded(path);
    struct stat info { };
    return name && ::stat(name->constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool LocalFileSystem::fileExists(const QString& path) const
{
    auto name = encoded(path);
    struct stat info { };
    return name && ::stat(name->constData(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool LocalFileSystem::queryAttributes(const QString& path) const
{
    auto name = encoded(path);
    struct stat info { };
    return name && ::stat(name->constData(), &info) == 0;
}

std::optional<QDateTime> LocalFileSystem::modificationTime(const QString& path) const
{
    auto name = encoded(path);
    struct stat info { };
    if (!name || ::stat(name->constData(), &info) != 0)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec);
}

QStringList LocalFileSystem::listFiles(const QString& folder, const QString& pattern) const
{
    if (!encoded(folder))
        return {};
    QDir dir(folder, pattern, QDir::Name, QDir::Files);
    return dir.entryList();
}

QStringList LocalFileSystem::listFolders(const QString& folder) const
{
    if (!encoded(folder))
        return {};
    QDir dir(folder, QString(), QDir::Name, QDir::Dirs | QDir::NoDotAndDotDot);
    return dir.entryList();
}

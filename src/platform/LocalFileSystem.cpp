#include "LocalFileSystem.h"

#include "FolderEntries.h"
#include "LocalCopyGroup.h"
#include "PosixFiles.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStorageInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

LocalFileSystem::LocalFileSystem()
{
    // Past a file-size limit a write must fail with "File too large" like
    // any other write, rather than end the program.
    ::signal(SIGXFSZ, SIG_IGN);
}

std::unique_ptr<CopyGroup> LocalFileSystem::startCopies(CopyDurability durability)
{
    return std::make_unique<LocalCopyGroup>(durability);
}

int LocalFileSystem::nameLengthLimit(const QString& folder) const
{
    const auto name = encodedPath(folder);
    const long limit = name ? ::pathconf(name->constData(), _PC_NAME_MAX) : -1;
    return limit > 0 ? int(limit) : 255;
}

FileResult LocalFileSystem::writeFile(const QString& path, const QByteArray& bytes, Write how)
{
    const auto name = encodedPath(path);
    if (!name)
        return badNameOf(path);
    const int where = how == Write::Appending ? O_APPEND : O_TRUNC;
    FileDescriptor fd(::open(name->constData(), O_WRONLY | O_CREAT | where | O_CLOEXEC, 0644));
    if (!fd.valid())
        return failureOf(QStringLiteral("Cannot open"), path, errno);
    if (!writeAll(fd.get(), bytes.constData(), static_cast<size_t>(bytes.size())))
        return failureOf(QStringLiteral("Cannot write"), path, errno);
    if (fd.close() != 0)
        return failureOf(QStringLiteral("Cannot write"), path, errno);
    return FileResult::success();
}

FileResult LocalFileSystem::removeFile(const QString& path)
{
    const auto name = encodedPath(path);
    if (!name)
        return badNameOf(path);
    if (::unlink(name->constData()) != 0)
        return failureOf(QStringLiteral("Cannot delete"), path, errno);
    return FileResult::success();
}

FileResult LocalFileSystem::replaceDurably(const QString& from, const QString& to)
{
    const auto oldName = encodedPath(from);
    if (!oldName)
        return badNameOf(from);
    const auto newName = encodedPath(to);
    if (!newName)
        return badNameOf(to);
    // The data first: a rename that reaches the disk before the data leaves
    // an empty file under the name after a power cut.
    FileDescriptor file(::open(oldName->constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY));
    if (!file.valid())
        return failureOf(QStringLiteral("Cannot open"), from, errno);
    if (::fdatasync(file.get()) != 0)
        return failureOf(QStringLiteral("Cannot write"), from, errno);
    if (::rename(oldName->constData(), newName->constData()) != 0)
        return failureOf(QStringLiteral("Cannot replace"), to, errno);
    // Then the rename, which lives in the folder. A folder that may not be
    // read cannot be opened for its flush: the file system's flush covers it.
    FileDescriptor folder(::open(folderOf(*newName).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if ((folder.valid() ? ::fsync(folder.get()) : ::syncfs(file.get())) != 0)
        return failureOf(QStringLiteral("Cannot write"), to, errno);
    return FileResult::success();
}

void LocalFileSystem::startWriteOut(const QString& path)
{
    const auto name = encodedPath(path);
    if (!name)
        return;
    const FileDescriptor file(
        ::open(name->constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    if (file.valid())
        ::sync_file_range(file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
}

FileResult LocalFileSystem::makeFolder(const QString& path)
{
    const auto name = encodedPath(path);
    if (!name)
        return badNameOf(path);
    if (::mkdir(name->constData(), 0755) != 0)
        return failureOf(QStringLiteral("Cannot create folder"), path, errno);
    return FileResult::success();
}

bool LocalFileSystem::folderExists(const QString& path) const
{
    const auto name = encodedPath(path);
    struct stat info { };
    return name && ::stat(name->constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool LocalFileSystem::fileExists(const QString& path) const
{
    const auto name = encodedPath(path);
    struct stat info { };
    return name && ::stat(name->constData(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool LocalFileSystem::queryAttributes(const QString& path) const
{
    const auto name = encodedPath(path);
    struct stat info { };
    return name && ::stat(name->constData(), &info) == 0;
}

std::optional<QDateTime> LocalFileSystem::modificationTime(const QString& path) const
{
    const auto name = encodedPath(path);
    struct stat info { };
    if (!name || ::stat(name->constData(), &info) != 0)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec);
}

namespace {

// Of a regular file, path relative to folder (AT_FDCWD: the working folder).
std::optional<FileFacts> factsOf(int folder, const std::optional<QByteArray>& name, bool followLinks)
{
    struct stat info { };
    if (!name || ::fstatat(folder, name->constData(), &info, followLinks ? 0 : AT_SYMLINK_NOFOLLOW) != 0
        || !S_ISREG(info.st_mode))
        return std::nullopt;
    return factsFrom(info);
}

class LocalOpenFolder : public OpenFolder {
public:
    explicit LocalOpenFolder(int fd)
        : m_fd(fd)
    {
    }
    std::optional<FileFacts> regularFileFacts(const QString& name) const override
    {
        return factsOf(m_fd.get(), nameIn(name), false);
    }
    std::optional<FileFacts> fileFacts(const QString& name) const override
    {
        return factsOf(m_fd.get(), nameIn(name), true);
    }

private:
    // A name of this folder only: no separator, no "." or "..".
    static std::optional<QByteArray> nameIn(const QString& name)
    {
        if (name.contains(u'/') || name == u"." || name == u"..")
            return std::nullopt;
        return encodedPath(name);
    }

    FileDescriptor m_fd;
};

} // namespace

std::optional<FileFacts> LocalFileSystem::regularFileFacts(const QString& path) const
{
    return factsOf(AT_FDCWD, encodedPath(path), false);
}

std::optional<FileFacts> LocalFileSystem::fileFacts(const QString& path) const
{
    return factsOf(AT_FDCWD, encodedPath(path), true);
}

std::unique_ptr<OpenFolder> LocalFileSystem::openFolder(const QString& folder) const
{
    const auto name = encodedPath(folder);
    const int fd = name ? ::open(name->constData(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1;
    if (fd < 0)
        return nullptr;
    return std::make_unique<LocalOpenFolder>(fd);
}

QStringList LocalFileSystem::listFiles(const QString& folder, const QString& pattern) const
{
    if (!encodedPath(folder))
        return {};
    QDir dir(folder, pattern, QDir::Name, QDir::Files);
    return dir.entryList();
}

QStringList LocalFileSystem::listFolders(const QString& folder) const
{
    if (!encodedPath(folder))
        return {};
    QDir dir(folder, QString(), QDir::Name, QDir::Dirs | QDir::NoDotAndDotDot);
    return dir.entryList();
}

bool LocalFileSystem::walkFolder(const QString& folder, const WalkVisitor& take) const
{
    const auto name = encodedPath(folder);
    return !name || walkFolderEntries(*name, take);
}

FileResult LocalFileSystem::removeFilesIn(const QString& folder)
{
    const auto name = encodedPath(folder);
    if (!name)
        return badNameOf(folder);
    DIR* dir = ::opendir(name->constData());
    if (!dir) {
        if (errno == ENOENT)
            return FileResult::success();
        return failureOf(QStringLiteral("Cannot list"), folder, errno);
    }
    const int fd = ::dirfd(dir);
    // Listed whole before anything goes: a folder changed while it is read
    // may skip entries.
    QList<QByteArray> doomed;
    while (const dirent* entry = ::readdir(dir)) {
        const char* entryName = entry->d_name;
        const bool dots
            = entryName[0] == '.' && (entryName[1] == '\0' || (entryName[1] == '.' && entryName[2] == '\0'));
        if (!dots && entryType(fd, *entry) != DT_DIR)
            doomed.append(QByteArray(entryName));
    }
    FileResult result = FileResult::success();
    for (const QByteArray& entryName : doomed) {
        // Without AT_REMOVEDIR a folder is never removed, even one that took
        // the name meanwhile; a link goes as a link.
        if (::unlinkat(fd, entryName.constData(), 0) != 0 && result.ok)
            result = failureOf(
                QStringLiteral("Cannot delete"), folder + u'/' + QFile::decodeName(entryName), errno);
    }
    ::closedir(dir);
    return result;
}

QString LocalFileSystem::mountPointOf(const QString& path) const
{
    if (!queryAttributes(path))
        return {};
    const QStorageInfo storage(path);
    return storage.isValid() ? storage.rootPath() : QString();
}

namespace {

constexpr unsigned long ExfatMagic = 0x2011BAB0; // not in every linux/magic.h
constexpr unsigned long XfsMagic = 0x58465342;
constexpr unsigned long F2fsMagic = 0xF2F52010;

enum class LetterCase { Kept, Ignored, Unknown };

// What the file system's type says; ext4 and f2fs fold case in folders marked so.
LetterCase letterCaseByType(int folder)
{
    struct statfs info { };
    if (::fstatfs(folder, &info) != 0)
        return LetterCase::Unknown;
    switch (static_cast<unsigned long>(info.f_type)) {
    case MSDOS_SUPER_MAGIC:
    case ExfatMagic:
        return LetterCase::Ignored;
    case EXT4_SUPER_MAGIC:
    case F2fsMagic: {
        int flags = 0;
        if (::ioctl(folder, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL) != 0)
            return LetterCase::Ignored;
        return LetterCase::Kept;
    }
    case XfsMagic:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case NFS_SUPER_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:
        return LetterCase::Kept;
    default:
        return LetterCase::Unknown; // FUSE drivers, NTFS, shares: it depends
    }
}

// Makes a hidden file with a lower-case name and looks for it under the
// upper-case one.
bool probeIgnoresLetterCase(int folder)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        QByteArray lower = ".quillstead-case-";
        const quint64 random = QRandomGenerator::global()->generate64();
        for (int i = 0; i < 12; ++i)
            lower += char('a' + ((random >> (i * 4)) & 0xF));
        const QByteArray upper = lower.toUpper();
        struct stat info { };
        if (::fstatat(folder, upper.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0)
            continue; // taken: another name
        const int made = ::openat(folder, lower.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (made < 0)
            return false; // cannot tell: names are taken as they are
        ::close(made);
        const bool ignored = ::fstatat(folder, upper.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0;
        ::unlinkat(folder, lower.constData(), 0);
        return ignored;
    }
    return false;
}

} // namespace

bool LocalFileSystem::ignoresLetterCase(const QString& folder) const
{
    const auto name = encodedPath(folder);
    if (!name)
        return false;
    const FileDescriptor fd(::open(name->constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        return false;
    switch (letterCaseByType(fd.get())) {
    case LetterCase::Kept:
        return false;
    case LetterCase::Ignored:
        return true;
    case LetterCase::Unknown:
        break;
    }
    return probeIgnoresLetterCase(fd.get());
}

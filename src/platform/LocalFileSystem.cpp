#include "LocalFileSystem.h"

#include "LocalCopyGroup.h"
#include "PosixFiles.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

FileResult LocalFileSystem::appendToFile(const QString& path, const QByteArray& bytes)
{
    const auto name = encodedPath(path);
    if (!name)
        return badNameOf(path);
    FileDescriptor fd(::open(name->constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (!fd.valid())
        return failureOf(QStringLiteral("Cannot open"), path, errno);
    if (!writeAll(fd.get(), bytes.constData(), static_cast<size_t>(bytes.size())))
        return failureOf(QStringLiteral("Cannot write"), path, errno);
    if (fd.close() != 0)
        return failureOf(QStringLiteral("Cannot write"), path, errno);
    return FileResult::success();
}

FileResult LocalFileSystem::writeFile(const QString& path, const QByteArray& bytes)
{
    const auto name = encodedPath(path);
    if (!name)
        return badNameOf(path);
    FileDescriptor fd(::open(name->constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
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

namespace {

// The entry's kind as the directory reports it, without following a link;
// asked of the file system only where the directory does not say.
unsigned char entryType(int folder, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type;
    struct stat info { };
    if (::fstatat(folder, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return DT_UNKNOWN;
    if (S_ISREG(info.st_mode))
        return DT_REG;
    if (S_ISDIR(info.st_mode))
        return DT_DIR;
    return S_ISLNK(info.st_mode) ? DT_LNK : DT_UNKNOWN;
}

bool wantedInWalk(int folder, const dirent& entry, WalkEntries kind)
{
    const char* name = entry.d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
        return false;
    const unsigned char type = entryType(folder, entry);
    if (kind == WalkEntries::Folders)
        return type == DT_DIR && name[0] != '.';
    if (type == DT_REG)
        return true;
    struct stat target { };
    return type == DT_LNK && ::fstatat(folder, name, &target, 0) == 0 && S_ISREG(target.st_mode);
}

bool walkOrder(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

} // namespace

QStringList LocalFileSystem::walkFolder(const QString& folder, WalkEntries kind) const
{
    auto name = encodedPath(folder);
    if (!name)
        return {};
    DIR* dir = ::opendir(name->constData());
    if (!dir)
        return {};
    const int fd = ::dirfd(dir);
    QStringList names;
    while (const dirent* entry = ::readdir(dir)) {
        if (wantedInWalk(fd, *entry, kind))
            names.append(QFile::decodeName(entry->d_name));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), walkOrder);
    return names;
}

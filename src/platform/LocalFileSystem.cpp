#include "LocalFileSystem.h"

#include "FolderEntries.h"
#include "LetterCaseProbe.h"
#include "LocalCopyGroup.h"
#include "PosixFiles.h"

#include <QDir>
#include <QStorageInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
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

FileResult LocalFileSystem::makeReadOnly(const QString& path)
{
    const auto name = encodedPath(path);
    if (!name)
        return badNameOf(path);
    struct stat facts { };
    if (::stat(name->constData(), &facts) != 0
        || ::chmod(name->constData(), facts.st_mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH) & 07777) != 0)
        return failureOf(QStringLiteral("Cannot make read-only"), path, errno);
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

bool LocalFileSystem::ignoresLetterCase(const QString& folder) const
{
    const auto name = encodedPath(folder);
    if (!name)
        return false;
    const FileDescriptor fd(::open(name->constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        return false;
    return folderIgnoresLetterCase(fd.get());
}

std::optional<quint64> LocalFileSystem::deviceOf(const QString& path) const
{
    const auto name = encodedPath(path);
    struct stat info { };
    if (!name || ::stat(name->constData(), &info) != 0)
        return std::nullopt;
    return quint64(info.st_dev);
}

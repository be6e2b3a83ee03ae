#include "LocalFileSystem.h"

#include "LocalCopyGroup.h"
#include "PosixFiles.h"

#include <QDir>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

LocalFileSystem::LocalFileSystem()
{
    // Past a file-size limit a write must fail with "File too large" like
    // any other write, rather than end the program.
    ::signal(SIGXFSZ, SIG_IGN);
}

std::unique_ptr<CopyGroup> LocalFileSystem::startCopies()
{
    return std::make_unique<LocalCopyGroup>();
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

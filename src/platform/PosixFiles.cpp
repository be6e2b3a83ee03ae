#include "PosixFiles.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

std::optional<QByteArray> encodedPath(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    QByteArray bytes = QFile::encodeName(path);
    if (QFile::decodeName(bytes) != path || bytes.contains('\0'))
        return std::nullopt;
    return bytes;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    if (slash == 0)
        return "/";
    return path.left(slash);
}

FileFacts factsFrom(const struct stat& info)
{
    return FileFacts { info.st_size, qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec };
}

FileResult failureOf(const QString& what, const QString& path, int error)
{
    const bool full = error == ENOSPC || error == EDQUOT;
    return FileResult::failure(
        QStringLiteral("%1 \"%2\": %3").arg(what, path, QString::fromLocal8Bit(std::strerror(error))),
        full ? FileProblem::NoSpace : FileProblem::Other);
}

FileResult badNameOf(const QString& path)
{
    return FileResult::failure(QStringLiteral("Bad file name or number: \"%1\"").arg(path));
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        reset(other.m_fd);
        other.m_fd = -1;
    }
    return *this;
}

void FileDescriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

int FileDescriptor::close()
{
    const int result = ::close(m_fd);
    m_fd = -1;
    return result;
}

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

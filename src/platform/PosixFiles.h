#pragma once

// Small helpers shared by the POSIX file code of this folder.

#include "FileSystem.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <optional>

// The bytes that name path on disk, or nothing when path cannot be named
// exactly: empty, holding a NUL, or not surviving the round trip through the
// system's encoding. A name that was not valid UTF-8 on disk reaches the
// program with U+FFFD in it; it could be the name of a different file, so it
// counts as one that cannot be named.
std::optional<QByteArray> encodedPath(const QString& path);

// The folder part of an encoded path: "." for a bare name, "/" for the root.
QByteArray folderOf(const QByteArray& path);

struct stat;

// A file's size and modification time as the system reports them.
FileFacts factsFrom(const struct stat& info);

// "<what> "<path>": <the system's text for error>".
FileResult failureOf(const QString& what, const QString& path, int error);
FileResult badNameOf(const QString& path);

// Owns one open descriptor.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1)
        : m_fd(fd)
    {
    }
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept
        : m_fd(other.m_fd)
    {
        other.m_fd = -1;
    }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1);
    // Closes now and reports whether the close itself failed (it can, on full disks).
    int close();

private:
    int m_fd;
};

// Writes every byte, going on after interrupted calls; false with errno set on failure.
bool writeAll(int fd, const char* data, std::size_t size);

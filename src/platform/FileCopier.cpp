#include "FileCopier.h"

#include "PosixFiles.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

CopyError FileCopier::copy(off_t size, bool sparse)
{
    if (size == 0)
        return stream(); // some files report no size and still have content
    off_t at = 0;
    while (at < size) {
        off_t data = sparse ? ::lseek(m_from, at, SEEK_DATA) : at;
        if (data < 0 && errno == ENXIO)
            break; // only a hole is left
        if (data < 0)
            data = at; // no hole information: copy everything
        if (data >= size)
            break;
        off_t hole = sparse ? ::lseek(m_from, data, SEEK_HOLE) : size;
        if (hole < 0 || hole > size)
            hole = size;
        at = data;
        if (CopyError failed = range(at, hole); failed.side != CopyError::None)
            return failed;
        if (at < hole) {
            size = at; // the source shrank while being copied
            break;
        }
        at = hole;
    }
    // A hole at the end, or a source that shrank: the size says where the file ends.
    if (at != size && ::ftruncate(m_to, size) != 0)
        return { CopyError::Write, errno };
    return {};
}

CopyError FileCopier::range(off_t& at, off_t end)
{
    while (at < end) {
        const size_t want = static_cast<size_t>(std::min(end - at, Piece));
        ssize_t moved = -1;
        if (m_inKernel) {
            loff_t in = at, out = at;
            moved = ::copy_file_range(m_from, &in, m_to, &out, want, 0);
            if (moved < 0 && errno == EINTR)
                continue;
            if (moved < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL))
                m_inKernel = false;
            // Any other failure: the plain copy of this piece tells which side it is.
        }
        if (moved < 0) {
            moved = ::pread(m_from, buffer(), want, at);
            if (moved < 0 && errno == EINTR)
                continue;
            if (moved < 0)
                return { CopyError::Read, errno };
            if (!writeAt(buffer(), static_cast<size_t>(moved), at))
                return { CopyError::Write, errno };
        }
        if (moved == 0)
            return {};
        at += moved;
        if (m_keepGoing && !m_keepGoing())
            return { CopyError::Abandoned, 0 };
    }
    return {};
}

CopyError FileCopier::stream()
{
    for (;;) {
        const ssize_t got = ::read(m_from, buffer(), Piece);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return { CopyError::Read, errno };
        if (got == 0)
            return {};
        if (!writeAll(m_to, buffer(), static_cast<size_t>(got)))
            return { CopyError::Write, errno };
        if (m_keepGoing && !m_keepGoing())
            return { CopyError::Abandoned, 0 };
    }
}

bool FileCopier::writeAt(const char* data, size_t size, off_t at)
{
    while (size > 0) {
        const ssize_t written = ::pwrite(m_to, data, size, at);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        data += written;
        at += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

char* FileCopier::buffer()
{
    if (m_buffer.isEmpty())
        m_buffer.resize(Piece);
    return m_buffer.data();
}

#pragma once

#include "FileSystem.h"

#include <QByteArray>
#include <sys/types.h>

// Which side of a copy failed, and why.
struct CopyError {
    enum Side { None, Read, Write, Abandoned } side = None;
    int error = 0;
};

// Copies the bytes of one open file into another: in the kernel where the
// file systems allow it, by reads and writes where not.
class FileCopier {
public:
    // Copies move in pieces of this size, so keepGoing is asked often enough
    // even on a slow disk.
    static constexpr off_t Piece = off_t(1) << 20;

    FileCopier(int from, int to, const KeepGoing& keepGoing)
        : m_from(from)
        , m_to(to)
        , m_keepGoing(keepGoing)
    {
    }

    // Copies the first size bytes, skipping the holes of a sparse source.
    CopyError copy(off_t size, bool sparse);

private:
    // Copies [at, end), moving at; stops early at the end of the source.
    CopyError range(off_t& at, off_t end);
    CopyError stream();
    bool writeAt(const char* data, size_t size, off_t at);
    char* buffer();

    int m_from;
    int m_to;
    const KeepGoing& m_keepGoing;
    bool m_inKernel = true;
    QByteArray m_buffer;
};

#pragma once

#include "PosixFiles.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/types.h>

// A copy made and waiting in a copy group to be put in place.
struct PendingCopy {
    QString destination;
    QByteArray finalPath;
    QByteArray workingPath; // empty for a copy written in place
    FileDescriptor file; // open and locked until the copy is put in place
    dev_t device = 0;
    bool replacesReadOnly = false; // the destination is read-only and may still be replaced
    std::optional<mode_t> modeBefore; // of a read-only destination made writable to write in place
    bool madeNew = false; // a new file under the final name: removed if the copy fails
    bool flushAlone = false; // on a drive the file system's flush does not reach
};

#pragma once

#include "FileSystem.h"

// Writes bytes to a working file beside path and renames it over path once it
// is complete, creating missing folders on the way: a crash leaves either the
// old file or the whole new one, never a part.
FileResult writeFileAtomically(const QString& path, const QByteArray& bytes);

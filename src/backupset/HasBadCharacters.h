#pragma once

#include <QString>

class FileSystem;

// True when the system cannot report the attributes of path: a missing or
// unreachable path, or a name the system encoding cannot express.
bool HasBadCharacters(const FileSystem& files, const QString& path);

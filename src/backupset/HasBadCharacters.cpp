#include "HasBadCharacters.h"

#include "platform/FileSystem.h"

bool HasBadCharacters(const FileSystem& files, const QString& path)
{
    return !files.queryAttributes(path);
}

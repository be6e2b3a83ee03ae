#include "FileExists.h"

#include "FileSystem.h"

bool FileExists(const FileSystem& files, const QString& path)
{
    return files.modificationTime(path).has_value();
}

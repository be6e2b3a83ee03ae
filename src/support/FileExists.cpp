#include "FileExists.h"

#include "platform/FileSystem.h"

bool fileExists(const FileSystem& files, const QString& path)
{
    return files.modificationTime(path).has_value();
}

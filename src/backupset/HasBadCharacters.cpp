#include "HasBadCharacters.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

bool HasBadCharacters(const FileSystem& files, const QString& path)
{
    return !files.queryAttributes(path);
}

bool RefusedAsBadName(Dialogs& dialogs, const FileSystem& files, const QString& path)
{
    if (!HasBadCharacters(files, path))
        return false;
    dialogs.showMessage(QStringLiteral("Quillstead"),
        path + QStringLiteral("\r\rwas not added because it has bad characters in the filename."),
        MessageIcon::Information);
    return true;
}

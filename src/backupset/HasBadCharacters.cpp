#include "HasBadCharacters.h"

#include "BackupSetIntake.h"
#include "platform/FileSystem.h"

bool hasBadCharacters(const FileSystem& files, const QString& path)
{
    return !files.queryAttributes(path);
}

bool leftOutForName(BackupSetIntake& intake, const FileSystem& files, const QString& path)
{
    if (hasBadCharacters(files, path))
        intake.leaveOut(path, NameProblem::BadCharacters);
    else if (!BackupSetModel::canStore(path))
        intake.leaveOut(path, NameProblem::Semicolon);
    else
        return false;
    return true;
}

#include "HasBadCharacters.h"

#include "BackupSetIntake.h"
#include "platform/FileSystem.h"

bool HasBadCharacters(const FileSystem& files, const QString& path)
{
    return !files.queryAttributes(path);
}

bool LeftOutForName(BackupSetIntake& intake, const FileSystem& files, const QString& path)
{
    if (HasBadCharacters(files, path))
        intake.leaveOut(path, NameProblem::BadCharacters);
    else if (!BackupSetModel::canStore(path))
        intake.leaveOut(path, NameProblem::Semicolon);
    else
        return false;
    return true;
}

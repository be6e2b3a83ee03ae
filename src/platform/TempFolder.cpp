#include "TempFolder.h"

#include "FileSystem.h"

QString TempFolderPath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/temp");
}

void EmptyTempFolder(FileSystem& files, const QString& programFolder)
{
    // What cannot be deleted stays; the program ends all the same.
    files.removeFilesIn(TempFolderPath(programFolder));
}

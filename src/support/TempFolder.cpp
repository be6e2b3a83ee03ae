#include "TempFolder.h"

#include "platform/FileSystem.h"

QString tempFolderPath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/temp");
}

void emptyTempFolder(FileSystem& files, const QString& programFolder)
{
    // What cannot be deleted stays; the program ends all the same.
    files.removeFilesIn(tempFolderPath(programFolder));
}

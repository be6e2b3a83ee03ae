#include "TempFolder.h"

#include "FileSystem.h"

#include <QStringList>

QString TempFolderPath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/temp");
}

void EmptyTempFolder(FileSystem& files, const QString& programFolder)
{
    const QString folder = TempFolderPath(programFolder);
    for (const QString& name : files.listFiles(folder, QStringLiteral("*")))
        files.removeFile(folder + u'/' + name);
}

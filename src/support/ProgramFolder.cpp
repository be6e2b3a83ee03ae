#include "ProgramFolder.h"

#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProgramFolders resolveProgramFolders(const QString& executableFolder, const QString& dataHome)
{
    const QString packageFolder = QDir::cleanPath(executableFolder + QStringLiteral("/../lib/quillstead"));
    if (!QFileInfo(packageFolder).isDir())
        return { executableFolder, { executableFolder } };
    const QString userFolder = dataHome + QStringLiteral("/Brookmere/Quillstead");
    return { userFolder, { userFolder, packageFolder } };
}

ProgramFolders runningProgramFolders()
{
    const ProgramFolders folders = resolveProgramFolders(QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QDir().mkpath(folders.writable);
    return folders;
}

QString companionFolder(const ProgramFolders& folders, const QString& relativeName)
{
    for (const QString& folder : folders.lookup) {
        if (QFileInfo::exists(folder + QLatin1Char('/') + relativeName))
            return folder;
    }
    return folders.lookup.value(0, folders.writable);
}

QString tempFolderPath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/temp");
}

void emptyTempFolder(FileSystem& files, const QString& programFolder)
{
    // What cannot be deleted stays; the program ends all the same.
    files.removeFilesIn(tempFolderPath(programFolder));
}

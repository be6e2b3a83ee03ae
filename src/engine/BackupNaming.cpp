#include "BackupNaming.h"

#include "DateText.h"
#include "FixedFolder.h"
#include "NameLimit.h"
#include "PathPieces.h"
#include "RunErrorLocations.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

using namespace RunErrorLocation;

QString stampedName(const QString& base, const QString& extension, const StampSettings& stamp)
{
    switch (stamp.writeMode) {
    case WriteMode::CreateNew: {
        const QString date = stampDate(stamp.clock.now().date(), stamp.locale);
        const QString time = stampTime(stamp.clock.now().time(), stamp.locale);
        return withExtension(
            base + QStringLiteral(" Date ") + date + QStringLiteral(" Time ") + time, extension);
    }
    case WriteMode::Overwrite:
        return withExtension(base + u' ' + stampDate(stamp.clock.now().date(), stamp.locale), extension);
    case WriteMode::None:
        break;
    }
    return QString();
}

QString fixedFolderName(
    const QString& base, const QString& extension, FixedFolder& folder, const StampSettings& stamp)
{
    return folder.text() + stampedName(base, extension, stamp);
}

QString plainBackupName(const QString& base, const QString& extension)
{
    return withExtension(base + QStringLiteral(" Backup"), extension);
}

BackupName backupNameOf(const QString& source, const RunOptions& options, FixedFolder& folder,
    const StampSettings& stamp, QHash<QString, int>& nameLimits, const FileSystem& files)
{
    const QString extension = extensionOf(source);
    const QString fileName = fileNameOf(source);
    QString destination;
    if (options.destination == DestinationMode::FixedFolder) {
        // An empty folder text would put the backup into the file-system root.
        if (!folder.isSet())
            return { {}, QStringLiteral("No destination folder is set."),
                options.stamping ? NameFixedStamped : NameFixedPlain };
        destination = options.stamping ? fixedFolderName(fileName, extension, folder, stamp)
                                       : folder.text() + plainBackupName(fileName, extension);
    } else if (options.destination == DestinationMode::SourceFolder) {
        destination = sourceFolderOf(source)
            + (options.stamping ? stampedName(fileName, extension, stamp)
                                : plainBackupName(fileName, extension));
    }
    // No destination option, or no write mode for a stamped name, leaves no
    // file name to copy to.
    if (destination.isEmpty() || destination.endsWith(NativeSeparator))
        return { {}, QStringLiteral("There is no destination for the backup of \"%1\".").arg(source),
            CopyFile };
    const QString destinationFolder = sourceFolderOf(destination);
    if (!nameLimits.contains(destinationFolder))
        nameLimits.insert(destinationFolder, files.nameLengthLimit(destinationFolder));
    return { fitNameToLimit(destination, fileName, nameLimits.value(destinationFolder)), {}, 0 };
}

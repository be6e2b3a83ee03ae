#include "BackupNaming.h"

#include "DateText.h"
#include "FixedFolder.h"
#include "PathPieces.h"
#include "platform/Clock.h"

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

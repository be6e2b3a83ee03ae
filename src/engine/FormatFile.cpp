#include "FormatFile.h"

#include "DateText.h"
#include "FixedFolder.h"
#include "PathPieces.h"
#include "platform/Clock.h"

QString StampedName(const QString& base, const QString& extension, const StampSettings& stamp)
{
    switch (stamp.writeMode) {
    case WriteMode::CreateNew: {
        const QString date = StampDate(stamp.clock.now().date(), stamp.locale);
        const QString time = StampTime(stamp.clock.now().time(), stamp.locale);
        return WithExtension(
            base + QStringLiteral(" Date ") + date + QStringLiteral(" Time ") + time, extension);
    }
    case WriteMode::Overwrite:
        return WithExtension(base + u' ' + StampDate(stamp.clock.now().date(), stamp.locale), extension);
    case WriteMode::None:
        break;
    }
    return QString();
}

QString FixedFolderName(
    const QString& base, const QString& extension, FixedFolder& folder, const StampSettings& stamp)
{
    return folder.text() + StampedName(base, extension, stamp);
}

QString PlainBackupName(const QString& base, const QString& extension)
{
    return WithExtension(base + QStringLiteral(" Backup"), extension);
}

#include "TrimPreview.h"

#include <QCoreApplication>

#include "BackupNaming.h"
#include "CopyCatalog.h"
#include "FixedFolder.h"
#include "OwnCopies.h"
#include "PathPieces.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <QSet>

namespace {

// How many copies of a file the listing names before it only counts the rest.
constexpr qsizetype NamedCopies = 5;

QString copiesText(qsizetype count)
{
    return count == 1 ? QCoreApplication::translate("TrimPreview", "1 copy")
                      : QCoreApplication::translate("TrimPreview", "%1 copies").arg(count);
}

} // namespace

QList<CopiesToGo> copiesToGo(
    const RunServices& services, const QStringList& entries, const RunOptions& options, QString* problem)
{
    QList<CopiesToGo> going;
    CopyCatalog* catalog = services.catalog;
    const KeepCounts keep = keepCountsOf(options);
    if (!catalog || !options.stamping || !keep.thins() || entries.isEmpty())
        return going;
    const QDateTime now = services.clock.now();
    if (!catalog->isOpen()) {
        // No catalog yet: no copy is proved the program's own, so none would go.
        if (!services.files.fileExists(catalog->path()))
            return going;
        *problem = catalog->open(now);
    }
    OwnCopies own(catalog, services.files, now);
    const auto pick = [&](const QString& source, const QString& folder, const QString& coming) {
        const qsizetype before = own.surplus().size();
        own.chooseSurplus(source, folder, keep, entries, coming);
        CopiesToGo copies { source, folder, {} };
        for (qsizetype i = before; i < own.surplus().size(); ++i)
            copies.copies << own.surplus().at(i).backup;
        if (!copies.copies.isEmpty())
            going << copies;
    };
    FixedFolder fixedFolder(options.folderText, {});
    const StampSettings stamp { options.writeMode, services.clock, services.locale };
    if (options.archiveMode) {
        const QString archive = stampedName(QStringLiteral("Backup"), QStringLiteral("zip"), stamp);
        if (fixedFolder.isSet() && !archive.isEmpty())
            pick(QString(), fixedFolder.text(), fixedFolder.text() + archive);
        return going;
    }
    QHash<QString, int> nameLimits;
    QSet<std::pair<QString, QString>> taken;
    for (const QString& source : entries) {
        const BackupName name = backupNameOf(source, options, fixedFolder, stamp, nameLimits, services.files);
        const QString folder = sourceFolderOf(name.path);
        if (!name.problem.isEmpty() || taken.contains({ source, folder })
            || !services.files.fileFacts(source))
            continue;
        taken.insert({ source, folder });
        if ((options.skipUnchanged && own.isUnchanged(source, folder))
            || own.holderOf(name.path, source).otherSource)
            continue;
        pick(source, folder, name.path);
    }
    return going;
}

QString copiesToGoText(const QList<CopiesToGo>& going)
{
    qsizetype total = 0;
    for (const CopiesToGo& copies : going)
        total += copies.copies.size();
    if (total == 0)
        return QCoreApplication::translate("TrimPreview", "The next backup would delete no copies.");
    QStringList lines {
        QCoreApplication::translate("TrimPreview", "The next backup would delete %1:").arg(copiesText(total))
    };
    for (const CopiesToGo& copies : going) {
        const QString whose = copies.source.isEmpty()
            ? QCoreApplication::translate("TrimPreview", "Archives in %1").arg(copies.folder)
            : copies.source;
        lines << QString() << QStringLiteral("%1: %2").arg(whose, copiesText(copies.copies.size()));
        lines << copies.copies.mid(0, NamedCopies);
        if (copies.copies.size() > NamedCopies)
            lines << QCoreApplication::translate("TrimPreview", "and %1 more")
                         .arg(copies.copies.size() - NamedCopies);
    }
    return lines.join(QStringLiteral("\r\n"));
}

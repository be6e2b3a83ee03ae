#include "AddFolder.h"

#include "BackupSetIntake.h"
#include "CollapseSeparators.h"
#include "WildcardMatch.h"
#include "platform/EventPacer.h"
#include "platform/FileSystem.h"

namespace {

constexpr QChar Separator = u'/';

} // namespace

bool CollectSubfolders(QStringList& folders, bool recurse, const FileSystem& files, EventPacer& pacer)
{
    QStringList level = folders;
    while (!level.isEmpty()) {
        QStringList below;
        for (const QString& folder : level) {
            if (!pacer.keepGoing())
                return false;
            for (const QString& name : files.walkFolder(folder, WalkEntries::Folders))
                below.append(folder + name + Separator);
        }
        folders.append(below);
        if (!recurse)
            break;
        level = std::move(below);
    }
    return true;
}

QStringList ListFiles(const FileSystem& files, const QString& folder, const QString& pattern)
{
    const QString withSeparator = folder.endsWith(Separator) ? folder : folder + Separator;
    QStringList names = files.walkFolder(withSeparator, WalkEntries::Files);
    names.removeIf([&pattern](const QString& name) { return !MatchesWildcard(name, pattern); });
    return names;
}

QString TreeFilePath(const QString& folderEntry, const QString& name, bool collapse, QChar separator)
{
    const QString path = folderEntry.chopped(1) + separator + name;
    return collapse ? CollapseSeparators(path, separator) : path;
}

std::optional<QStringList> CollectFolderTree(
    const QString& folder, const QString& pattern, bool collapse, const FileSystem& files, EventPacer& pacer)
{
    // A root folder thus gets a doubled separator; collapse removes it again.
    QStringList folders { folder + Separator };
    if (!CollectSubfolders(folders, true, files, pacer))
        return std::nullopt;
    QStringList paths;
    for (const QString& entry : folders) {
        if (!pacer.keepGoing())
            return std::nullopt;
        for (const QString& name : ListFiles(files, entry.chopped(1), pattern)) {
            if (!name.startsWith(u'~'))
                paths.append(TreeFilePath(entry, name, collapse));
        }
    }
    return paths;
}

bool AddFolderTree(const QString& folder, const QString& pattern, bool collapse, const FileSystem& files,
    EventPacer& pacer, BackupSetIntake& intake)
{
    const auto paths = CollectFolderTree(folder, pattern, collapse, files, pacer);
    if (!paths)
        return false;
    intake.addAll(*paths);
    return true;
}

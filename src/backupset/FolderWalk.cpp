#include "FolderWalk.h"

#include "BackupSetIntake.h"
#include "FirstNames.h"
#include "WildcardMatch.h"
#include "platform/FileSystem.h"
#include "support/EventLoop.h"

#include <algorithm>
#include <deque>

namespace {

// Replaces every pair of consecutive separators in path by one, left to
// right in one pass (so "///" becomes "//"), as joining a name to a root
// folder's path needs.
QString collapseSeparators(QString path)
{
    return path.replace(QStringLiteral("//"), QStringLiteral("/"));
}

constexpr QChar Separator = u'/';

// One folder of the walk, read in a single pass. Of its files only the first
// ones the set has room for are held (and one more, the first beyond the
// room): which ones those are is known only once every name was seen, but no
// more than them is ever needed. Its subfolders are all held, as any of them
// may hold files that count.
struct FolderContents {
    explicit FolderContents(qsizetype room)
        : files(room + 1)
    {
    }

    FirstNames files;
    FirstNames badCharacters { BackupSetIntake::NamedLeftOut };
    FirstNames semicolons { BackupSetIntake::NamedLeftOut };
    QStringList subfolders;
};

bool readFolder(const FileSystem& files, const QString& entry, const QString& pattern, EventPacer& pacer,
    FolderContents& contents)
{
    const bool storable = BackupSetModel::canStore(entry);
    return files.walkFolder(entry, [&](const WalkEntry& walked) {
        if (walked.isFolder) {
            // A folder the system cannot name cannot be listed either.
            if (walked.nameable)
                contents.subfolders.append(walked.name);
        } else if (!walked.name.startsWith(u'~') && matchesWildcard(walked.name, pattern)) {
            if (!walked.nameable)
                contents.badCharacters.offer(walked.name);
            else if (!storable || !BackupSetModel::canStore(walked.name))
                contents.semicolons.offer(walked.name);
            else
                contents.files.offer(walked.name);
        }
        return pacer.keepGoing();
    });
}

// Tells intake the folder's names left out, in walk order; the ones it will
// not name are only counted.
void leaveOutNames(BackupSetIntake& intake, const QString& entry, bool collapse, FolderContents& contents)
{
    const qsizetype badCount = contents.badCharacters.offered();
    const qsizetype semicolonCount = contents.semicolons.offered();
    const QStringList bad = *contents.badCharacters.takeSorted();
    const QStringList semicolon = *contents.semicolons.takeSorted();
    qsizetype b = 0;
    qsizetype s = 0;
    while (b < bad.size() || s < semicolon.size()) {
        if (s == semicolon.size() || (b < bad.size() && walkOrder(bad.at(b), semicolon.at(s))))
            intake.leaveOut(treeFilePath(entry, bad.at(b++), collapse), NameProblem::BadCharacters);
        else
            intake.leaveOut(treeFilePath(entry, semicolon.at(s++), collapse), NameProblem::Semicolon);
    }
    intake.leaveOut(badCount - bad.size(), NameProblem::BadCharacters);
    intake.leaveOut(semicolonCount - semicolon.size(), NameProblem::Semicolon);
}

} // namespace

QString treeFilePath(const QString& folderEntry, const QString& name, bool collapse)
{
    const QString path = folderEntry.chopped(1) + u'/' + name;
    return collapse ? collapseSeparators(path) : path;
}

bool collectFolderTree(const QString& folder, const QString& pattern, bool collapse, const FileSystem& files,
    EventPacer& pacer, BackupSetIntake& intake, GatheredPaths& gathered)
{
    // Each folder's subfolders join the end of the queue when the folder is
    // read, which gives the level-by-level order. A root folder gets a doubled
    // separator here; collapse removes it again.
    std::deque<QString> queue { folder + Separator };
    while (!queue.empty()) {
        if (!pacer.keepGoing())
            return false;
        const QString entry = std::move(queue.front());
        queue.pop_front();
        FolderContents contents(gathered.roomLeft());
        if (!readFolder(files, entry, pattern, pacer, contents))
            return false;
        const auto keepGoing = [&pacer] { return pacer.keepGoing(); };
        const auto names = contents.files.takeSorted(keepGoing);
        if (!names)
            return false;
        for (const QString& name : *names) {
            gathered.add(treeFilePath(entry, name, collapse));
            if (!pacer.keepGoing())
                return false;
        }
        leaveOutNames(intake, entry, collapse, contents);
        if (gathered.full())
            break;
        std::sort(contents.subfolders.begin(), contents.subfolders.end(), walkOrder);
        for (const QString& name : std::as_const(contents.subfolders))
            queue.push_back(entry + name + Separator);
    }
    return true;
}

bool addFolderTree(const QString& folder, const QString& pattern, bool collapse, const FileSystem& files,
    EventPacer& pacer, BackupSetIntake& intake)
{
    GatheredPaths gathered(intake.roomLeft());
    if (!collectFolderTree(folder, pattern, collapse, files, pacer, intake, gathered))
        return false;
    intake.addAll(gathered);
    return true;
}

#include "FolderEntries.h"

#include "PosixFiles.h"

#include <QFile>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

unsigned char entryType(int folder, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type;
    struct stat info { };
    if (::fstatat(folder, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return DT_UNKNOWN;
    if (S_ISREG(info.st_mode))
        return DT_REG;
    if (S_ISDIR(info.st_mode))
        return DT_DIR;
    return S_ISLNK(info.st_mode) ? DT_LNK : DT_UNKNOWN;
}

namespace {

enum class Walked { Skipped, File, Folder };

Walked walkedAs(int folder, const dirent& entry)
{
    const char* name = entry.d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
        return Walked::Skipped;
    const unsigned char type = entryType(folder, entry);
    if (type == DT_DIR)
        return name[0] == '.' ? Walked::Skipped : Walked::Folder;
    if (type == DT_REG)
        return Walked::File;
    struct stat target { };
    const bool toFile = type == DT_LNK && ::fstatat(folder, name, &target, 0) == 0 && S_ISREG(target.st_mode);
    return toFile ? Walked::File : Walked::Skipped;
}

} // namespace

bool walkFolderEntries(const QByteArray& folder, const WalkVisitor& take)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), ::closedir);
    if (!dir)
        return true;
    const int fd = ::dirfd(dir.get());
    WalkEntry walked;
    while (const dirent* entry = ::readdir(dir.get())) {
        const Walked kind = walkedAs(fd, *entry);
        if (kind == Walked::Skipped)
            continue;
        walked.name = QFile::decodeName(entry->d_name);
        walked.isFolder = kind == Walked::Folder;
        walked.nameable = encodedPath(walked.name).has_value();
        if (!take(walked))
            return false;
    }
    return true;
}

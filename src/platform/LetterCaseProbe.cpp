#include "LetterCaseProbe.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <fcntl.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr unsigned long ExfatMagic = 0x2011BAB0; // not in every linux/magic.h
constexpr unsigned long XfsMagic = 0x58465342;
constexpr unsigned long F2fsMagic = 0xF2F52010;

enum class LetterCase { Kept, Ignored, Unknown };

// What the file system's type says; ext4 and f2fs fold case in folders marked so.
LetterCase letterCaseByType(int folder)
{
    struct statfs info { };
    if (::fstatfs(folder, &info) != 0)
        return LetterCase::Unknown;
    switch (static_cast<unsigned long>(info.f_type)) {
    case MSDOS_SUPER_MAGIC:
    case ExfatMagic:
        return LetterCase::Ignored;
    case EXT4_SUPER_MAGIC:
    case F2fsMagic: {
        int flags = 0;
        if (::ioctl(folder, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL) != 0)
            return LetterCase::Ignored;
        return LetterCase::Kept;
    }
    case XfsMagic:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case NFS_SUPER_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:
        return LetterCase::Kept;
    default:
        return LetterCase::Unknown; // FUSE drivers, NTFS, shares: it depends
    }
}

// Makes a hidden file with a lower-case name and looks for it under the
// upper-case one.
bool probeIgnoresLetterCase(int folder)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        QByteArray lower = ".quillstead-case-";
        const quint64 random = QRandomGenerator::global()->generate64();
        for (int i = 0; i < 12; ++i)
            lower += char('a' + ((random >> (i * 4)) & 0xF));
        const QByteArray upper = lower.toUpper();
        struct stat info { };
        if (::fstatat(folder, upper.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0)
            continue; // taken: another name
        const int made = ::openat(folder, lower.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (made < 0)
            return false; // cannot tell: names are taken as they are
        ::close(made);
        const bool ignored = ::fstatat(folder, upper.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0;
        ::unlinkat(folder, lower.constData(), 0);
        return ignored;
    }
    return false;
}

} // namespace

bool folderIgnoresLetterCase(int folder)
{
    switch (letterCaseByType(folder)) {
    case LetterCase::Kept:
        return false;
    case LetterCase::Ignored:
        return true;
    case LetterCase::Unknown:
        break;
    }
    return probeIgnoresLetterCase(folder);
}

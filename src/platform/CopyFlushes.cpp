#include "CopyFlushes.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// Flushes a folder, so the renames in it are durable. A folder that may
// not be read cannot be opened for it, and some drivers cannot flush a
// folder at all: neither is an error of the copy.
int flushFolder(const QByteArray& folder)
{
    const FileDescriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid() || ::fsync(fd.get()) == 0 || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)
        return 0;
    return errno;
}

} // namespace

std::vector<int> flushData(const std::vector<PendingCopy>& group)
{
    std::vector<int> errors(group.size(), 0);
    // One flush per file system: the data of every working file reaches the
    // disk before any of them takes a backup's name.
    std::vector<std::pair<dev_t, int>> flushed;
    for (size_t i = 0; i < group.size(); ++i) {
        const PendingCopy& pending = group[i];
        if (pending.workingPath.isEmpty())
            continue; // written in place and flushed already
        if (pending.flushAlone) {
            errors[i] = ::fdatasync(pending.file.get()) == 0 ? 0 : errno;
            continue;
        }
        const auto done = std::find_if(flushed.begin(), flushed.end(),
            [&](const std::pair<dev_t, int>& entry) { return entry.first == pending.device; });
        if (done != flushed.end()) {
            errors[i] = done->second;
            continue;
        }
        errors[i] = ::syncfs(pending.file.get()) == 0 ? 0 : errno;
        flushed.emplace_back(pending.device, errors[i]);
    }
    return errors;
}

std::vector<int> flushRenames(const std::vector<PendingCopy>& group, const std::vector<bool>& renamed)
{
    std::vector<int> errors(group.size(), 0);
    // Again once per file system, or once per folder where each copy was
    // flushed alone.
    std::vector<std::pair<dev_t, int>> flushed;
    std::vector<std::pair<QByteArray, int>> folders;
    for (size_t i = 0; i < group.size(); ++i) {
        const PendingCopy& pending = group[i];
        if (!renamed[i])
            continue;
        if (pending.flushAlone) {
            const QByteArray folder = folderOf(pending.finalPath);
            const auto done = std::find_if(folders.begin(), folders.end(),
                [&](const std::pair<QByteArray, int>& entry) { return entry.first == folder; });
            errors[i] = done != folders.end() ? done->second : flushFolder(folder);
            if (done == folders.end())
                folders.emplace_back(folder, errors[i]);
            continue;
        }
        const auto done = std::find_if(flushed.begin(), flushed.end(),
            [&](const std::pair<dev_t, int>& entry) { return entry.first == pending.device; });
        errors[i] = done != flushed.end() ? done->second : (::syncfs(pending.file.get()) == 0 ? 0 : errno);
        if (done == flushed.end())
            flushed.emplace_back(pending.device, errors[i]);
    }
    return errors;
}

bool onFuseDrive(int fd)
{
    struct statfs info { };
    return ::fstatfs(fd, &info) == 0 && info.f_type == FUSE_SUPER_MAGIC;
}

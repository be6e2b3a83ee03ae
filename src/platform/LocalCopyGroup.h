#pragma once

#include "FileSystem.h"
#include "PosixFiles.h"

#include <QSet>

#include <optional>
#include <sys/types.h>
#include <vector>

// The copy group of the local file system (see CopyGroup). Working files have
// one fixed hidden name per destination, so the next copy to a destination
// reuses (and so cleans up) what an interrupted copy left; each is held under
// an exclusive lock while in use, so two copies of the program never write
// the same working file, and one never removes another's.
class LocalCopyGroup : public CopyGroup {
public:
    explicit LocalCopyGroup(CopyDurability durability = CopyDurability::Durable)
        : m_durable(durability == CopyDurability::Durable)
    {
    }
    ~LocalCopyGroup() override;
    LocalCopyGroup(const LocalCopyGroup&) = delete;
    LocalCopyGroup& operator=(const LocalCopyGroup&) = delete;

    FileResult add(const QString& source, const QString& destination, const KeepGoing& keepGoing) override;
    bool isFull() const override;
    bool holds(const QString& destination) const override;
    QList<FileResult> commit() override;

    // The working file that a copy to destination is written to.
    static QString workingPathFor(const QString& destination);

private:
    struct Pending {
        QString destination;
        QByteArray finalPath;
        QByteArray workingPath; // empty for a copy written in place
        FileDescriptor file; // open and locked until the copy is put in place
        dev_t device = 0;
        bool replacesReadOnly = false; // the destination is read-only and may still be replaced
        std::optional<mode_t> modeBefore; // of a read-only destination made writable to write in place
        bool madeNew = false; // a new file under the final name: removed if the copy fails
        bool flushAlone = false; // on a drive the file system's flush does not reach
    };

    FileResult openWorkingFile(Pending& pending, bool destinationExists);
    FileResult openDestination(Pending& pending, bool destinationExists);
    FileResult openAsNewFile(Pending& pending);
    FileResult openInPlace(Pending& pending);
    void discard(Pending& pending);
    // Whether copies to pending's drive must be flushed one by one.
    bool needsFlushAlone(const Pending& pending);
    // Makes the data of every working file durable before the renames, and
    // the renames after them: the error of each copy's flush, 0 for none.
    std::vector<int> flushData();
    std::vector<int> flushRenames(const std::vector<bool>& renamed);

    std::vector<Pending> m_pending;
    QSet<QString> m_destinations; // of m_pending
    qint64 m_bytes = 0;
    bool m_durable;
    std::vector<std::pair<dev_t, bool>> m_flushAlone; // by drive, as found out
};

#pragma once

#include "FileSystem.h"
#include "PendingCopy.h"

#include <QSet>

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
    FileResult openWorkingFile(PendingCopy& pending, bool destinationExists);
    FileResult openDestination(PendingCopy& pending, bool destinationExists);
    FileResult openAsNewFile(PendingCopy& pending);
    FileResult openInPlace(PendingCopy& pending);
    void discard(PendingCopy& pending);
    // Whether copies to pending's drive must be flushed one by one.
    bool needsFlushAlone(const PendingCopy& pending);

    std::vector<PendingCopy> m_pending;
    QSet<QString> m_destinations; // of m_pending
    qint64 m_bytes = 0;
    bool m_durable;
    std::vector<std::pair<dev_t, bool>> m_flushAlone; // by drive, as found out
};

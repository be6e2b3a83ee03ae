#pragma once

#include "BackupNaming.h"
#include "BackupRun.h"
#include "FixedFolder.h"
#include "platform/FileSystem.h"
#include "platform/StopRequest.h"
#include "support/EventLoop.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <memory>

class OwnCopies;
class ProgressPacer;
class RunFailures;

// The per-file steps of a run: every entry copied to its backup name, the
// copies put in place a group at a time (then recorded in the catalog and
// logged), and at the end the dated copies beyond the newest to keep trimmed.
class PerFileRun {
public:
    PerFileRun(const RunRequest& request, const RunServices& services, RunFailures& failures, OwnCopies& own,
        ProgressPacer& progress);
    ~PerFileRun();
    PerFileRun(const PerFileRun&) = delete;
    PerFileRun& operator=(const PerFileRun&) = delete;

    // False when shutdown stopped the run.
    bool run();
    // The fixed folder, or its drive, went away during the run.
    bool folderWentAway() const { return m_ended; }

private:
    // A copy complete on disk, waiting to be put in place.
    struct Waiting {
        QString source;
        QString destination;
        FileFacts sourceFacts; // when it was copied
        bool replacesRow; // a row of the catalog names the copy it replaces
    };

    // Copies one entry (or tells why not); false when the run must stop.
    bool backUp(const QString& source);
    // Why source may not be written to destination (empty when it may), and
    // whether the catalog holds a copy under that name already.
    struct Verdict {
        QString reason;
        bool recorded = false;
    };
    Verdict mayWrite(const QString& source, const QString& destination);
    FileResult copy(const QString& source, const QString& destination);
    // Puts the waiting copies in place, records and logs them, then reports
    // their failures. False when the run must stop.
    bool putInPlace();
    // Shows or notes a failure for source, after putting what waits in place
    // (a box may wait for hours). False when the run must stop.
    bool report(const QString& description, int lineLabel, const QString& source);
    // When the fixed folder (or its drive) went away: what to say of it.
    QString folderGone();
    // Reports that the folder went away, with every file of the run not
    // backed up (notBackedUp and the entries not yet taken); the run ends.
    void reportFolderGone(const QString& why, QStringList notBackedUp);
    bool trimDatedCopies();
    bool keepGoing() { return m_pacer.keepGoing() && !m_ended; }

    const RunRequest& m_request;
    const RunOptions& m_options;
    const RunServices& m_services;
    FixedFolder m_folder;
    const StampSettings m_stamp;
    RunFailures& m_failures;
    OwnCopies& m_own;
    ProgressPacer& m_progress;
    EventPacer m_pacer;
    const KeepGoing m_keepGoingWhileCopying;
    std::unique_ptr<CopyGroup> m_copies;
    QList<Waiting> m_waiting;
    QHash<QString, QString> m_written; // backups this run wrote (by key), with their sources
    QHash<QString, int> m_nameLimits;
    QList<std::pair<QString, QString>> m_datedCopies; // sources with dated copies made, and their folder
    QSet<std::pair<QString, QString>> m_trimmed; // the same, to find them
    QString m_fixedFolder; // ending in "/"; empty unless backups go to one folder
    QString m_mountPoint; // where the fixed folder lay as the run began
    qsizetype m_next = 0; // the entry taken next
    bool m_ended = false; // the folder went away: no further entry
};

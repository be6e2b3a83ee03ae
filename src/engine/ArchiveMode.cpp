#include "ArchiveMode.h"

#include "Archiver.h"

#include "BackupNaming.h"
#include "FixedFolder.h"
#include "OwnCopies.h"
#include "PathPieces.h"
#include "RunErrorLocations.h"
#include "RunFailures.h"
#include "TempNameSet.h"
#include "platform/FileSystem.h"
#include "platform/StopRequest.h"
#include "support/EventLoop.h"
#include "support/ProgramFolder.h"

#include <QCryptographicHash>
#include <QFile>

namespace {

using namespace RunErrorLocation;

// One line of list.txt for a temp copy, ended by CR LF.
QByteArray listLine(const QString& path)
{
    // The archiver trims blanks around a line and strips one pair of quotes
    // around it; a name it would change goes in quotes, read as it stands.
    const bool quote = path != path.trimmed() || (path.startsWith(u'"') && path.endsWith(u'"'));
    const QString line = quote ? u'"' + path + u'"' : path;
    return QFile::encodeName(line) + "\r\n";
}

class ArchiveRun {
public:
    ArchiveRun(const RunRequest& request, const RunServices& services, RunFailures& failures, OwnCopies& own,
        ProgressPacer& progress)
        : m_request(request)
        , m_services(services)
        , m_failures(failures)
        , m_files(services.files)
        , m_own(own)
        , m_progress(progress)
        , m_listFile(services.programFolder + QStringLiteral("/list.txt"))
    {
    }

    // False when shutdown stopped the steps.
    bool run();

private:
    // Copies the entries into the temp folder; the list text of those copied.
    QByteArray copyEntries(int& listed);
    // Empty when stamping has no write mode.
    QString archiveNameOf(const RunOptions& options) const
    {
        if (!options.stamping)
            return QStringLiteral("Backup.zip");
        const StampSettings stamp { options.writeMode, m_services.clock, m_services.locale };
        return stampedName(QStringLiteral("Backup"), QStringLiteral("zip"), stamp);
    }
    // True when the archive took its name.
    bool pack(const QString& folder, const QString& archiveName);
    // Records the archive just made in the catalog, then trims the older ones.
    void record(const QString& folder, const QString& archiveName, const QByteArray& state);
    QString failureText(const RunResult& ran, const ProgramCall& call, const QString& archiveName) const;
    void removeIfPresent(const QString& path)
    {
        if (m_files.fileExists(path))
            m_files.removeFile(path);
    }
    bool stopRequested() const { return m_services.stop.requested(); }
    // Every box lets events run, and shutdown may begin meanwhile; true then.
    // Failures of the archive itself are noted under its name.
    bool report(const QString& description, int line, const QString& subject = {})
    {
        m_failures.report(description, line, subject.isEmpty() ? m_archiveName : subject);
        m_failed = true;
        m_stopped = m_stopped || stopRequested();
        return m_stopped;
    }
    // What the set and its files are now, in short: the entries in order,
    // each with its size and modification time.
    QByteArray setState() const;
    bool outcome() const { return !m_stopped; }

    const RunRequest& m_request;
    const RunServices& m_services;
    RunFailures& m_failures;
    FileSystem& m_files;
    OwnCopies& m_own;
    ProgressPacer& m_progress;
    const QString m_listFile;
    QString m_archiveName = QStringLiteral("Backup.zip");
    // Lets events run between the pieces of the copies, every 50 ms or so:
    // after each of thousands of small files it would cost more than the
    // copies. False once shutdown has begun.
    EventPacer m_pacer { m_services.clock, m_services.stop, 50 };
    const KeepGoing m_keepGoing = [this] { return m_pacer.keepGoing(); };
    bool m_stopped = false;
    bool m_failed = false;
    QList<ArchiveEntry> m_entries; // what the archive will hold, under which names
};

bool ArchiveRun::run()
{
    const RunOptions& options = m_request.options;
    FixedFolder folder(options.folderText, m_request.setFolderText);
    // Named once: a stamp read again later could name another second.
    const QString archiveName = archiveNameOf(options);
    if (!archiveName.isEmpty())
        m_archiveName = archiveName;
    // An empty folder text would put the archive into the working directory.
    if (!folder.isSet()) {
        report(
            QStringLiteral("No destination folder is set."), options.stamping ? NameStamped : ReplacePlain);
        return outcome();
    }

    // Nothing changed since the newest archive of this kind, which still holds this set.
    const QByteArray state = setState();
    if (options.skipUnchanged && m_own.archiveUnchanged(folder.text(), options.stamping, state))
        return outcome();

    const QString temp = tempFolderPath(m_services.programFolder);
    if (!m_files.folderExists(temp)) {
        if (FileResult made = m_files.makeFolder(temp); !made && report(made.description, MakeTempFolder))
            return outcome();
    }
    int listed = 0;
    const QByteArray listText = copyEntries(listed);
    if (m_stopped)
        return outcome();

    // The archiver must never run with an older list: it names older files.
    if (FileResult written = m_files.writeFile(m_listFile, listText); !written) {
        report(written.description, WriteList);
        return outcome();
    }
    // Nothing could be copied (each failure was shown): an empty archive
    // would only replace the last good one.
    if (listed == 0)
        return outcome();

    if (archiveName.isEmpty()) {
        report(QStringLiteral("There is no name for the archive: neither \"Create new file "
                              "on backup\" nor \"Overwrite old backup file on backup\" is "
                              "selected."),
            NameStamped);
        return outcome();
    }
    if (!pack(folder.text(), archiveName))
        return outcome();
    // Only a set packed whole may spare the next run.
    record(folder.text(), archiveName, m_failed ? QByteArray() : state);
    return outcome();
}

void ArchiveRun::record(const QString& folder, const QString& archiveName, const QByteArray& state)
{
    const RunOptions& options = m_request.options;
    const QString archive = folder + archiveName;
    if (const std::optional<FileFacts> stored = m_files.regularFileFacts(archive))
        m_own.made(QString(), archive, options.stamping, FileFacts {}, *stored, state, m_entries);
    m_own.reached(folder, m_files.mountPointOf(folder));
    const FailureReport reportFailure = [this](const QString& description, const QString& subject) {
        return !report(description, WriteHistory, subject);
    };
    if (const FileResult recorded = m_own.commit(reportFailure); !recorded) {
        report(recorded.description, WriteHistory, m_own.catalogName());
        return;
    }
    if (!options.stamping || !keepCountsOf(options).thins() || m_stopped)
        return;
    m_own.chooseSurplus(QString(), folder, keepCountsOf(options), m_request.entries);
    m_own.trimSurplus([this](const QString& description, const QString& subject) {
        return !report(description, PruneCopies, subject);
    });
}

QByteArray ArchiveRun::copyEntries(int& listed)
{
    const QString temp = tempFolderPath(m_services.programFolder);
    TempNameSet names;
    QByteArray listText;
    // The temp copies go in as groups of scratch copies: every run makes them
    // again, so they need no flush. A copy is listed only once it is in place.
    const std::unique_ptr<CopyGroup> copies = m_files.startCopies(CopyDurability::Scratch);
    QStringList waiting;
    QList<ArchiveEntry> entries; // of the copies waiting
    const auto putInPlace = [&] {
        const QList<FileResult> results = copies->commit();
        for (qsizetype i = 0; i < waiting.size(); ++i) {
            const FileResult result
                = results.value(i, FileResult::failure(QStringLiteral("The copy was lost")));
            if (result) {
                listText += listLine(waiting[i]);
                m_entries << entries[i];
                ++listed;
            } else {
                removeIfPresent(waiting[i]);
                report(result.description, CopyToTemp, fileNameOf(waiting[i]));
            }
        }
        waiting.clear();
        entries.clear();
    };
    qsizetype taken = 0;
    for (const QString& source : m_request.entries) {
        const QString name = names.claim(fileNameOf(source));
        const QString copy = temp + u'/' + name;
        if (name.contains(u'\r') || name.contains(u'\n')) {
            report(QStringLiteral("\"%1\" cannot be archived: its name holds a line break, which the "
                                  "archiver's list file cannot carry.")
                       .arg(source),
                ListEntry, fileNameOf(source));
        } else {
            // A name that differs only in letter case shares a temp copy.
            if (copies->holds(copy))
                putInPlace();
            if (FileResult added = copies->add(source, copy, m_keepGoing); !added) {
                // An older copy of this name must not go into the archive as this run's.
                removeIfPresent(copy);
                m_stopped = m_stopped || !m_keepGoing();
                if (!m_stopped)
                    report(added.description, CopyToTemp, fileNameOf(source));
            } else {
                waiting << copy;
                entries << ArchiveEntry { source, name, added.facts };
                if (copies->isFull())
                    putInPlace();
            }
        }
        if (m_stopped)
            return listText;
        m_progress.entriesDone(++taken);
    }
    putInPlace();
    return listText;
}

bool ArchiveRun::pack(const QString& folder, const QString& archiveName)
{
    const bool stamping = m_request.options.stamping;
    const int runLine = stamping ? RunStamped : RunPlain;
    const QString archive = folder + archiveName;
    // Hidden beside the archive, so that the final rename stays on one file system.
    const QString working = folder + u'.' + archiveName + QStringLiteral(".part");
    removeIfPresent(working);
    // A stamped archive of the same name gathers the runs of its day: the
    // archiver adds to a copy of it, so a failure leaves the original whole.
    // The copy may be large, so events run meanwhile; it needs no flush of
    // its own, as the archiver's result is flushed before it takes the name.
    const bool adding = stamping && m_files.fileExists(archive);
    if (adding) {
        if (FileResult copied = m_files.copyFile(archive, working, m_keepGoing, CopyDurability::Scratch);
            !copied) {
            m_stopped = stopRequested();
            if (!m_stopped)
                report(copied.description, runLine);
            return false;
        }
    }

    const QString archiverFolder
        = m_services.archiverFolder.isEmpty() ? m_services.programFolder : m_services.archiverFolder;
    const ProgramCall call = archiverCall(archiverFolder, working, m_listFile);
    // What the archiver has written goes out to the disk while it works (it
    // packs far slower than a disk writes), so the flush before the rename
    // has little left to write. Adding to an archive, it writes a new one
    // beside the old under this name, then renames it over.
    const QString written = adding ? working + QStringLiteral(".tmp") : working;
    // The archiver's last percentage is told at every pass of the wait, so
    // that one that came too soon still shows while the archiver is silent.
    int packed = 0;
    qsizetype read = 0; // of the archiver's output, looked through for its progress
    const RunResult ran = runAndWait(
        call, &m_services.stop,
        [&] {
            m_files.startWriteOut(written);
            m_progress.packing(packed);
        },
        [&](const QByteArray& output) {
            packed = packedPercent(output, read).value_or(packed);
            // A percentage split between two reads is read whole the next time.
            read = qMax<qsizetype>(0, output.size() - 8);
        });
    if (ran.end == RunResult::End::Stopped) {
        removeIfPresent(working);
        m_stopped = true;
        return false;
    }
    const bool made = ran.end == RunResult::End::Exited && ran.result <= 1 && m_files.fileExists(working);
    if (!made) {
        removeIfPresent(working);
        report(failureText(ran, call, archiveName), runLine);
        return false;
    }
    // The previous archive's row goes first: no row may describe a file
    // that is no longer there.
    m_own.replacing({ archive }, [this](const QString& description, const QString& subject) {
        return !report(description, WriteHistory, subject);
    });
    // Flushed before and after the rename: a power cut must not leave an
    // empty archive in place of the previous one.
    if (FileResult replaced = m_files.replaceDurably(working, archive); !replaced) {
        removeIfPresent(working);
        report(replaced.description, stamping ? RunStamped : ReplacePlain);
        return false;
    }
    if (ran.result == 1) {
        report(QStringLiteral("The archiver reported warnings; \"%1\" was made without what they "
                              "name:\r\n%2")
                   .arg(archiveName, archiverLines(ran.output)),
            runLine);
    }
    return true;
}

QString ArchiveRun::failureText(
    const RunResult& ran, const ProgramCall& call, const QString& archiveName) const
{
    QString what;
    switch (ran.end) {
    case RunResult::End::NotStarted:
        what = QStringLiteral("The archiver could not be started (%1): %2").arg(call.program, ran.failure);
        break;
    case RunResult::End::Killed:
        what = QStringLiteral("The archiver was %1.").arg(ran.failure);
        break;
    case RunResult::End::Exited:
    case RunResult::End::Stopped:
        what = ran.result <= 1 ? QStringLiteral("The archiver ended without making an archive.")
                               : QStringLiteral("The archiver failed with exit code %1:").arg(ran.result);
        if (const QString lines = archiverLines(ran.output); !lines.isEmpty())
            what += QStringLiteral("\r\n") + lines;
        break;
    }
    return what
        + QStringLiteral("\r\nNo archive was made; \"%1\" was left as it was.\r\nCommand: %2")
              .arg(archiveName, commandLineText(call));
}

QByteArray ArchiveRun::setState() const
{
    QCryptographicHash state(QCryptographicHash::Sha256);
    for (const QString& source : m_request.entries) {
        const auto facts = m_files.fileFacts(source);
        state.addData(QByteArray::number(facts ? facts->size : -1) + ' '
            + QByteArray::number(facts ? facts->modifiedNs : -1) + ' ' + source.toUtf8() + '\n');
    }
    return state.result();
}

} // namespace

bool archiveAll(const RunRequest& request, const RunServices& services, RunFailures& failures, OwnCopies& own,
    ProgressPacer& progress)
{
    return ArchiveRun(request, services, failures, own, progress).run();
}

#include "BackupRun.h"

#include "ArchiveMode.h"
#include "BackupNaming.h"
#include "DateText.h"
#include "FixedFolder.h"
#include "HistoryLog.h"
#include "NameLimit.h"
#include "PathPieces.h"
#include "RunCaptions.h"
#include "RunErrorLocations.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/StopRequest.h"
#include "support/ApplicationError.h"
#include "support/EventLoop.h"

#include <utility>

namespace {

using namespace RunErrorLocation;

// How often a run lets the window's events run, so it repaints and reacts.
constexpr qint64 EventPassMs = 50;

// Clears the in-progress flag however the run ends.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& m_flag;
};

// The name of a source's backup, or why it has none (the text and line of its message).
struct BackupName {
    QString path;
    QString problem;
    int label = 0;
};

BackupName backupNameOf(const QString& source, const RunOptions& options, FixedFolder& folder,
    const StampSettings& stamp, QHash<QString, int>& nameLimits, const FileSystem& files)
{
    const QString extension = extensionOf(source);
    const QString fileName = fileNameOf(source);
    QString destination;
    if (options.destination == DestinationMode::FixedFolder) {
        // An empty folder text would put the backup into the file-system root.
        if (!folder.isSet())
            return { {}, QStringLiteral("No destination folder is set."),
                options.stamping ? NameFixedStamped : NameFixedPlain };
        destination = options.stamping ? fixedFolderName(fileName, extension, folder, stamp)
                                       : folder.text() + plainBackupName(fileName, extension);
    } else if (options.destination == DestinationMode::SourceFolder) {
        destination = sourceFolderOf(source)
            + (options.stamping ? stampedName(fileName, extension, stamp)
                                : plainBackupName(fileName, extension));
    }
    // No destination option, or no write mode for a stamped name, leaves no
    // file name to copy to.
    if (destination.isEmpty() || destination.endsWith(NativeSeparator))
        return { {}, QStringLiteral("There is no destination for the backup of \"%1\".").arg(source),
            CopyFile };
    const QString destinationFolder = sourceFolderOf(destination);
    if (!nameLimits.contains(destinationFolder))
        nameLimits.insert(destinationFolder, files.nameLengthLimit(destinationFolder));
    return { fitNameToLimit(destination, fileName, nameLimits.value(destinationFolder)), {}, 0 };
}

} // namespace

BackupRun::BackupRun(RunServices services)
    : m_services(std::move(services))
{
}

bool BackupRun::run(const RunRequest& request)
{
    // The run shares the history log (and the archiver's files) with any other
    // run; a request arriving while an error box of this run is open is dropped.
    if (m_running)
        return false;
    RunningFlag running(m_running);
    const RunOptions& options = request.options;

    if (request.entries.isEmpty()) {
        request.setStatus(QStringLiteral("No files added to backup."));
        return true;
    }
    m_noteFailures = options.noteFailures;
    m_failures = 0;
    m_listings = std::make_unique<FolderListings>(m_services.files);
    if (options.archiveMode) {
        const ErrorReporter report = [this](const QString& description, int line, const QString& subject) {
            reportError(description, line, subject);
        };
        // Shutdown during the archive steps ends the run where it stands.
        if (archiveAll(request, m_services, report, *m_listings) == ArchiveOutcome::Stopped)
            return true;
    } else if (!runPerFile(request, options)) {
        return true; // shutdown: no further steps
    }
    m_listings.reset();
    request.setStatus(completionCaption(m_services.clock.now(), m_services.locale));
    if (m_noteFailures && request.failuresNoted)
        request.failuresNoted(m_failures);
    return true;
}

// A copy that is complete on disk and waits for its history line.
struct BackupRun::Written {
    QString fileName;
    QString destination;
};

bool BackupRun::runPerFile(const RunRequest& request, const RunOptions& options)
{
    FixedFolder folder(options.folderText, request.setFolderText);
    const StampSettings stamp { options.writeMode, m_services.clock, m_services.locale };
    const KeepGoing keepGoingWhileCopying = [this] { return keepGoing(); };
    std::unique_ptr<CopyGroup> copies = m_services.files.startCopies();
    QList<Written> waiting;
    // Backups this run wrote, with their sources: a run never replaces its own work.
    QHash<QString, QString> written;
    QHash<QString, int> nameLimits;
    m_lastEventPass = m_services.clock.monotonicMs();
    // A box may wait for hours: what the run copied before it goes into place
    // (and into the history) first, so a power cut meanwhile loses none of it.
    const auto report = [&](const QString& description, int label, const QString& source) {
        return putInPlace(*copies, waiting, written) && reportError(description, label, fileNameOf(source));
    };
    // Sources copied with the stamp on, by the folder of their copies: their
    // older dated copies are trimmed once every copy is in place.
    QList<std::pair<QString, QString>> stampedCopies;

    for (const QString& source : request.entries) {
        if (stopRequested())
            return false;
        const BackupName name = backupNameOf(source, options, folder, stamp, nameLimits, m_services.files);
        if (!name.problem.isEmpty()) {
            if (!report(name.problem, name.label, source))
                return false;
            continue;
        }
        const QString& destination = name.path;
        const QString fileName = fileNameOf(source);

        // The same entry twice may replace its own backup; another file whose
        // backup name comes out the same may not.
        if (const auto earlier = written.constFind(destination);
            earlier != written.cend() && *earlier != source) {
            if (!report(QStringLiteral("The backup of \"%1\" was not written: its name \"%2\" is the name "
                                       "of the backup of \"%3\" made earlier in this run.")
                            .arg(source, destination, *earlier),
                    CopyFile, source))
                return false;
            continue;
        }
        if (options.skipUnchanged && isUnchanged(source, destination, options.stamping)) {
            written.insert(destination, source);
            continue;
        }
        if (copies->holds(destination) && !putInPlace(*copies, waiting, written))
            return false;
        const FileResult copied = copies->add(source, destination, keepGoingWhileCopying);
        if (stopRequested())
            return false;
        if (!copied) {
            // A missing backup folder (an unplugged drive) fails every file
            // alike: one message says so, and the run skips the rest.
            if (options.destination == DestinationMode::FixedFolder
                && !m_services.files.folderExists(folder.text())) {
                // Copies waiting in it cannot be put in place either.
                copies.reset();
                return reportError(
                    QStringLiteral("The backup folder \"%1\" does not exist or is not a "
                                   "folder; the remaining files of this run were not backed up.")
                        .arg(folder.text()),
                    CopyFile, fileName);
            }
            if (!report(copied.description, CopyFile, source))
                return false;
            continue;
        }
        written.insert(destination, source);
        waiting.append({ fileName, destination });
        if (options.stamping && options.keepDatedCopies > 0)
            stampedCopies.append({ sourceFolderOf(destination), fileName });
        if (copies->isFull() && !putInPlace(*copies, waiting, written))
            return false;
        if (!keepGoing())
            return false;
    }
    if (stopRequested() || !putInPlace(*copies, waiting, written))
        return false;
    for (const auto& [copiesFolder, fileName] : stampedCopies) {
        if (!pruneDatedCopies(copiesFolder, fileName, options.keepDatedCopies))
            return false;
    }
    return true;
}

bool BackupRun::isUnchanged(const QString& source, const QString& destination, bool stamping)
{
    const auto sourceFacts = m_services.files.fileFacts(source);
    if (!sourceFacts)
        return false;
    QString newest = destination;
    if (stamping) {
        const QString folder = sourceFolderOf(destination);
        const QList<DatedCopy> dated
            = m_listings->datedCopies(folder, fileNameOf(source), extensionOf(source), m_services.locale);
        if (dated.isEmpty())
            return false;
        newest = folder + dated.front().name;
    }
    return m_services.files.regularFileFacts(newest) == sourceFacts;
}

bool BackupRun::pruneDatedCopies(const QString& folder, const QString& fileName, int keep)
{
    const QList<DatedCopy> dated
        = m_listings->datedCopies(folder, fileName, extensionOf(fileName), m_services.locale);
    for (qsizetype i = keep; i < dated.size(); ++i) {
        if (const FileResult removed = m_services.files.removeFile(folder + dated[i].name); !removed) {
            if (!reportError(removed.description, PruneCopies, fileName))
                return false;
            continue;
        }
        m_listings->removed(folder, dated[i].name);
    }
    return !stopRequested();
}

bool BackupRun::putInPlace(CopyGroup& copies, QList<Written>& waiting, QHash<QString, QString>& written)
{
    if (waiting.isEmpty())
        return true;
    const QList<FileResult> results = copies.commit();
    const QList<Written> done = std::exchange(waiting, {});
    // Every copy of the group is logged before the first of its failures is
    // shown, for the same reason as above; the boxes keep the list's order.
    struct Failure {
        QString description;
        int line;
        QString fileName;
    };
    QList<Failure> failures;
    for (qsizetype i = 0; i < done.size(); ++i) {
        const FileResult& result = results.value(i, FileResult::failure(QStringLiteral("The copy was lost")));
        if (!result) {
            written.remove(done[i].destination);
            failures.append({ result.description, CopyFile, done[i].fileName });
            continue;
        }
        m_listings->made(sourceFolderOf(done[i].destination), fileNameOf(done[i].destination));
        const QString line
            = historyLine(done[i].fileName, generalDateText(m_services.clock.now(), m_services.locale));
        if (FileResult logged = appendHistory(m_services.files, m_services.programFolder, line); !logged)
            failures.append({ logged.description, WriteHistory, done[i].fileName });
    }
    for (const Failure& failure : failures) {
        if (!reportError(failure.description, failure.line, failure.fileName))
            return false;
    }
    return true;
}

bool BackupRun::reportError(const QString& description, int lineLabel, const QString& subject)
{
    if (!m_noteFailures) {
        showApplicationError(m_services.dialogs, description, Routine, lineLabel);
        return !stopRequested();
    }
    ++m_failures;
    // Where not even the log can be written, nothing more can be told.
    appendHistory(m_services.files, m_services.programFolder,
        historyFailureLine(subject, generalDateText(m_services.clock.now(), m_services.locale), description));
    return !stopRequested();
}

bool BackupRun::stopRequested() const
{
    return m_services.stop && m_services.stop->requested();
}

bool BackupRun::keepGoing()
{
    const qint64 now = m_services.clock.monotonicMs();
    if (now - m_lastEventPass >= EventPassMs) {
        letEventsRun();
        m_lastEventPass = now;
    }
    return !stopRequested();
}

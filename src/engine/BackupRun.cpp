#include "BackupRun.h"

#include "ArchiveMode.h"
#include "CopyCatalog.h"
#include "DateText.h"
#include "OwnCopies.h"
#include "PathPieces.h"
#include "PerFileRun.h"
#include "RunErrorLocations.h"
#include "RunFailures.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>

#include <utility>

namespace {

using namespace RunErrorLocation;

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

QString filesText(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}

// A fixed folder that was a drive's mount point, or lay on one, while that
// drive is not mounted: what is there now is a bare folder of another drive.
// Nothing may be written into it. True when that is so (it was reported).
bool driveIsMissing(
    const RunRequest& request, const RunServices& services, OwnCopies& own, RunFailures& failures)
{
    const RunOptions& options = request.options;
    if (!options.archiveMode && options.destination != DestinationMode::FixedFolder)
        return false;
    if (options.folderText.isEmpty())
        return false;
    const QString folder = options.folderText.endsWith(u'/') ? options.folderText : options.folderText + u'/';
    QString why;
    if (!services.files.folderExists(folder)) {
        // An unplugged drive fails every file alike: one message says so.
        // Nothing has been copied yet, so not one file of the run was backed up.
        why = QStringLiteral(
            "The backup folder \"%1\" does not exist or is not a folder; no file was backed up (%2 in "
            "this run).")
                  .arg(folder, filesText(request.entries.size()));
    } else if (const std::optional<QString> mountedAt
        = own.missingDrive(folder, services.files.mountPointOf(folder))) {
        why = QStringLiteral("The backup folder \"%1\" is not on its drive (at the last backup it was on "
                             "the drive mounted at \"%2\"). Connect the drive; nothing was written.")
                  .arg(folder, *mountedAt);
    } else {
        return false;
    }
    const int line = !options.archiveMode ? CopyFile : options.stamping ? RunStamped : RunPlain;
    failures.report(why, line, filesText(request.entries.size()), int(request.entries.size()));
    return true;
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

    RunOutcome outcome;
    if (request.entries.isEmpty()) {
        request.setStatus(QCoreApplication::translate("BackupRun", "No files added to backup."));
        outcome.end = RunOutcome::End::NoFiles;
        if (request.finished)
            request.finished(outcome);
        return true;
    }
    RunFailures failures(m_services, options.noteFailures, request.failureNoted);
    ProgressPacer progress(request.progress, m_services.clock, m_services.files, request.entries);
    const QDateTime started = m_services.clock.now();
    if (m_services.catalog) {
        // A catalog that cannot be read is set aside; the run goes on without
        // it, or with a new one.
        if (const QString problem = m_services.catalog->open(started); !problem.isEmpty()
            && !failures.report(problem, WriteHistory, fileNameOf(m_services.catalog->path())))
            return true;
    }
    OwnCopies own(m_services.catalog, m_services.files, started);
    if (driveIsMissing(request, m_services, own, failures)) {
        outcome.end = RunOutcome::End::DriveMissing;
    } else if (options.archiveMode) {
        // Shutdown: the run ends where it stands, without further steps.
        if (!archiveAll(request, m_services, failures, own, progress))
            return true;
    } else {
        PerFileRun perFile(request, m_services, failures, own, progress);
        if (!perFile.run())
            return true;
        if (perFile.folderWentAway())
            outcome.end = RunOutcome::End::DriveMissing;
    }
    request.setStatus(completionCaption(m_services.clock.now(), m_services.locale));
    outcome.failed = failures.count();
    outcome.noted = failures.noted();
    if (request.finished)
        request.finished(outcome);
    return true;
}

#include "IntervalSave.h"

#include "ArchiveMode.h"
#include "DateText.h"
#include "FixedFolder.h"
#include "FormatFile.h"
#include "HistoryLog.h"
#include "PathPieces.h"
#include "RunCaptions.h"
#include "platform/ApplicationError.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace {

// Line labels of the run's steps, named in its error messages.
enum Line : int {
    CheckEmptySet = 102,
    NameFixedStamped = 198,
    NameFixedPlain = 200,
    NameSourceStamped = 206,
    NameSourcePlain = 208,
    CopyFile = 210,
    WriteHistory = 212,
};

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

} // namespace

IntervalSave::IntervalSave(RunServices services)
    : m_services(std::move(services))
{
}

bool IntervalSave::SaveAll(const RunRequest& request)
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
    if (options.archiveMode) {
        const ErrorReporter report
            = [this](const QString& description, int line) { reportError(description, line); };
        // Shutdown during the archive steps ends the run where it stands.
        if (ArchiveAll(request, m_services, report) == ArchiveOutcome::Stopped)
            return true;
    } else {
        runPerFile(request, options);
    }
    request.setStatus(CompletionCaption(m_services.clock.now(), m_services.locale));
    return true;
}

void IntervalSave::runPerFile(const RunRequest& request, const RunOptions& options)
{
    FixedFolder folder(options.folderText, request.setFolderText);
    const StampSettings stamp { options.writeMode, m_services.clock, m_services.locale };

    for (const QString& source : request.entries) {
        const QString sourceFolder = SourceFolderOf(source);
        const QString extension = ExtensionOf(source);
        const QString fileName = FileNameOf(source);

        QString destination;
        if (options.destination == DestinationMode::FixedFolder) {
            const int label = options.stamping ? NameFixedStamped : NameFixedPlain;
            // An empty folder text would put the backup into the file-system root.
            if (!folder.isSet()) {
                reportError(QStringLiteral("No destination folder is set."), label);
                continue;
            }
            destination = options.stamping ? FixedFolderName(fileName, extension, folder, stamp)
                                           : folder.text() + PlainBackupName(fileName, extension);
        } else if (options.destination == DestinationMode::SourceFolder) {
            destination = sourceFolder
                + (options.stamping ? StampedName(fileName, extension, stamp)
                                    : PlainBackupName(fileName, extension));
        }

        // No destination option, or no write mode for a stamped name, leaves
        // no file name to copy to.
        if (destination.isEmpty() || destination.endsWith(NativeSeparator)) {
            reportError(
                QStringLiteral("There is no destination for the backup of \"%1\".").arg(source), CopyFile);
            continue;
        }
        if (FileResult copied = m_services.files.copyFile(source, destination); !copied) {
            reportError(copied.description, CopyFile);
            continue;
        }
        const QString line = fileName + QStringLiteral(" was backup saved at ")
            + GeneralDateText(m_services.clock.now(), m_services.locale);
        if (FileResult logged = AppendHistory(m_services.files, m_services.programFolder, line); !logged)
            reportError(logged.description, WriteHistory);
    }
}

void IntervalSave::reportError(const QString& description, int lineLabel)
{
    ShowApplicationError(
        m_services.dialogs, description, QStringLiteral("Quillkeep.IntervalSave.SaveAll"), lineLabel);
}

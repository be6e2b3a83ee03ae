#pragma once

#include "BackupRun.h"
#include "RunAndWait.h"

#include <QString>
#include <functional>

// How the archive steps ended: Stopped when shutdown began during them, and
// the run must then take no further step.
enum class ArchiveOutcome { Finished, Stopped };

// Shows one failure in the run's error box, naming the step's line label (or
// notes it for subject, a file name, in the history log).
using ErrorReporter = std::function<void(const QString& description, int lineLabel, const QString& subject)>;

// The archive steps of a run: copies of every entry in the temp folder under
// distinct names, list.txt, and 7za packing them into one zip archive in the
// fixed folder. The archive is made under a working name beside it and
// replaces the previous one only when the archiver succeeded. With
// skipUnchanged, a run whose set and files are as they were at the last
// archive made without a failure makes none (archive-state.txt, beside
// list.txt, says how they were). With keepDatedCopies, the stamped archives
// beyond the newest that many are removed.
ArchiveOutcome archiveAll(const RunRequest& request, const RunServices& services, const ErrorReporter& report,
    FolderListings& listings);

// How the archiver is called: 7za of its folder adds the files named in the
// list file (one UTF-8 name per line, taken literally) to a zip archive.
ProgramCall archiverCall(const QString& archiverFolder, const QString& archive, const QString& listFile);

#pragma once

#include "BackupRun.h"
#include "RunAndWait.h"

#include <QString>
#include <functional>

class OwnCopies;
class ProgressPacer;
class RunFailures;

// The archive steps of a run: copies of every entry in the temp folder under
// distinct names, list.txt, and 7za packing them into one zip archive in the
// fixed folder. The archive is made under a working name beside it and
// replaces the previous one only when the archiver succeeded; the catalog
// records it with the state of the set it packed. With skipUnchanged, a run
// whose set and files are as they were at the newest archive of its kind
// made without a failure, while that archive is still as made, makes none.
// With keepDatedCopies, the stamped archives beyond the newest that many are
// removed. False when shutdown began during the steps: the run must then take
// no further step. Progress goes by the copies made in the temp folder, then
// by the archiver's share packed.
bool archiveAll(const RunRequest& request, const RunServices& services, RunFailures& failures, OwnCopies& own,
    ProgressPacer& progress);

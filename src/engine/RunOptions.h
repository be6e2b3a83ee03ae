#pragma once

#include "settings/BackupChoices.h"

#include <QString>

// What a backup run works by, taken once as the run starts.
struct RunOptions {
    bool archiveMode = false; // archiveModeBox
    bool stamping = false; // stampBox
    DestinationMode destination = DestinationMode::None; // fixedFolderOption / sourceFolderOption
    WriteMode writeMode = WriteMode::None; // createNewOption / overwriteOption
    QString folderText; // destinationEdit
    // For unattended use ("More Options..."); the defaults change nothing.
    // The dated copies of each file to keep (see Thinning.h); all three 0 keep them all.
    int keepDatedCopies = 0; // the newest this many
    int keepDaily = 0; // and the newest copy of each of the last this many days
    int keepWeekly = 0; // and of each of the last this many weeks
    bool skipUnchanged = false; // a file whose newest backup has its size and time is not copied again
    bool noteFailures = false; // a failure goes into the history log instead of a box, and the run goes on
};

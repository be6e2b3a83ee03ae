#pragma once

#include <QString>

enum class DestinationMode { None, FixedFolder, SourceFolder };
enum class WriteMode { None, CreateNew, Overwrite };

// What a backup run reads from the window's controls, taken once as the run starts.
struct RunOptions {
    bool archiveMode = false; // archiveModeBox
    bool stamping = false; // stampBox
    DestinationMode destination = DestinationMode::None; // fixedFolderOption / sourceFolderOption
    WriteMode writeMode = WriteMode::None; // createNewOption / overwriteOption
    QString folderText; // destinationEdit
};

#pragma once

#include <QString>

enum class DestinationMode { None, FixedFolder, SourceFolder };
enum class WriteMode { None, CreateNew, Overwrite };

// What a backup run reads from the window's controls, taken once as the run starts.
struct RunOptions {
    bool archiveMode = false; // Check1
    bool stamping = false; // Check6
    DestinationMode destination = DestinationMode::None; // Option1 / Option2
    WriteMode writeMode = WriteMode::None; // Option3 / Option4
    QString folderText; // Text5
};

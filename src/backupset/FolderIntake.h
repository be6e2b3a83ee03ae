#pragma once

#include <QStringList>

#include <functional>
#include <optional>

class BackupSetIntake;
class Clock;
class Dialogs;
class FileSystem;
class QMimeData;
class Preferences;
class StopRequest;

// What the folder command and the drop intake work with. stop is raised when
// shutdown begins; a scan then ends at once and adds nothing.
struct FolderIntakeServices {
    Dialogs& dialogs;
    const FileSystem& files;
    const Clock& clock;
    const StopRequest& stop;
};

// "Add All File(s) In Folder": asks for an extension (stored under
// "Extension") and a folder, then adds the tree's files whose names end in
// "." and that extension, with the busy pointer on meanwhile. False when
// shutdown stopped it.
bool addAllFilesInFolder(FolderIntakeServices services, Preferences& preferences, BackupSetIntake& intake,
    const std::function<void(bool busy)>& setBusy);

// The local paths of dropped data when it is a list of file: URLs (what file
// managers offer); nullopt for anything else, which cannot be dropped.
std::optional<QStringList> droppedFilePaths(const QMimeData& data);

// Adds dropped paths in order: a folder (hidden ones too) gives every file of
// its tree, all names, joined without collapsing; anything else is added as
// it is. A path the system cannot report (vanished, or a name it cannot
// express) or one with ";" is left out, and all such paths are told in one
// message. Everything is added in one insertion at the end; gathering stops
// once the set is full. False when shutdown stopped it.
bool addDroppedPaths(const QStringList& paths, FolderIntakeServices services, BackupSetIntake& intake);

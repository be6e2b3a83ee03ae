#pragma once

class BackupSetIntake;
class Dialogs;
class FileSystem;

// "Add Files": shows the open dialog, then adds every picked file that passes
// the bad-name test; a bad one gets its message and is not added.
void AddFilesByDialog(Dialogs& dialogs, const FileSystem& files, BackupSetIntake& intake);

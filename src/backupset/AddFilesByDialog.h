#pragma once

class BackupSetIntake;
class Dialogs;
class FileSystem;

// "Add Files": shows the open dialog, then adds every picked file that passes
// the bad-name test, in one insertion; the bad ones are told in one message.
void addFilesByDialog(Dialogs& dialogs, const FileSystem& files, BackupSetIntake& intake);

#pragma once

#include <QString>
#include <QStringList>

class BackupSetIntake;
class Dialogs;
class FileSystem;

// The full paths a multi-select open dialog's result stands for: one path as
// it is, or the folder joined with each name, doubled separators collapsed.
QStringList SelectedPaths(const QString& dialogResult, QChar separator = u'/');

// "Add Files": shows the open dialog, then adds every picked file that passes
// the bad-name test; a bad one gets its message and is not added.
void AddFilesByDialog(Dialogs& dialogs, const FileSystem& files, BackupSetIntake& intake);

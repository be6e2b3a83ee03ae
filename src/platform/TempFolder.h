#pragma once

#include <QString>

class FileSystem;

// The archiver's working folder under the program folder.
QString TempFolderPath(const QString& programFolder);
// Deletes every ordinary file of the temp folder; the folder, its subfolders
// and hidden files stay. A file that cannot be deleted is skipped.
void EmptyTempFolder(FileSystem& files, const QString& programFolder);

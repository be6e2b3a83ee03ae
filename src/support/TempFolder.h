#pragma once

#include <QString>

class FileSystem;

// The archiver's working folder under the program folder.
QString tempFolderPath(const QString& programFolder);
// Deletes every file of the temp folder, hidden ones included (the copies of
// a .netrc or .env must not outlive the run), and links as links; the folder
// and its subfolders stay. A file that cannot be deleted is skipped.
void emptyTempFolder(FileSystem& files, const QString& programFolder);

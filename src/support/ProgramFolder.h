#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its companion files.
//
// Run from its build folder, everything lives in the folder of the executable.
// Installed (the executable's folder has a sibling "lib/quillstead", the
// package's own folder), the program never writes into the install tree: what
// it writes (history.txt, list.txt, temp) goes to the user's data folder,
// $XDG_DATA_HOME/Brookmere/Quillstead, and what it only reads (7za,
// HAND-M.CUR, Splash, x/o.cjs) is looked up there first, then in the
// package's folder.
struct ProgramFolders {
    QString writable; // home of history.txt, list.txt and temp
    QStringList lookup; // searched in order for the files the program only reads
};

// The folders for an executable in executableFolder, with dataHome the user's
// data folder ($XDG_DATA_HOME, by default ~/.local/share).
ProgramFolders resolveProgramFolders(const QString& executableFolder, const QString& dataHome);

// The folders of the running program; the writable one is created when missing.
ProgramFolders runningProgramFolders();

// The folder to read a companion file from: the first lookup folder that
// holds relativeName ("7za", "Splash", "x/o.cjs"), or the first lookup
// folder when none does.
QString companionFolder(const ProgramFolders& folders, const QString& relativeName);

class FileSystem;

// The archiver's working folder under the program folder.
QString tempFolderPath(const QString& programFolder);
// Deletes every file of the temp folder, hidden ones included (the copies of
// a .netrc or .env must not outlive the run), and links as links; the folder
// and its subfolders stay. A file that cannot be deleted is skipped.
void emptyTempFolder(FileSystem& files, const QString& programFolder);

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class BackupSetIntake;
class EventPacer;
class FileSystem;

// The folder walk shared by "Add All File(s) In Folder" and dropped folders.
// It lets the window's events run now and then through the pacer; once the
// pacer reports that shutdown began, it returns at once and adds nothing.

// Appends to folders (each ending in "/") every subfolder of them, level by
// level: all folders one level down, grouped by parent in the parents' order,
// then two levels down, and so on; only one level when recurse is off. Hidden
// folders and links to folders are not entered; a folder that cannot be
// listed has no subfolders. False when stopped (folders is then incomplete).
bool CollectSubfolders(QStringList& folders, bool recurse, const FileSystem& files, EventPacer& pacer);

// Names of the files of one folder (with or without its trailing "/") that
// match pattern (see MatchesWildcard), sorted; hidden files included.
QStringList ListFiles(const FileSystem& files, const QString& folder, const QString& pattern);

// The path of the file name found in folderEntry (a folder-list entry, ending
// in a separator). With collapse on, every doubled separator in the whole
// path becomes one, so a root folder gives "/name" rather than "//name".
QString TreeFilePath(const QString& folderEntry, const QString& name, bool collapse, QChar separator = u'/');

// The paths of the matching files of folder and all its subfolders, in list
// order: the folder's own files first, then level by level. Names starting
// with "~" (working files of other programs) are left out. nullopt when stopped.
std::optional<QStringList> CollectFolderTree(
    const QString& folder, const QString& pattern, bool collapse, const FileSystem& files, EventPacer& pacer);

// Adds those paths to the set in one insertion, once the whole tree is
// collected. False when stopped; nothing was added then.
bool AddFolderTree(const QString& folder, const QString& pattern, bool collapse, const FileSystem& files,
    EventPacer& pacer, BackupSetIntake& intake);

#pragma once

#include <QChar>
#include <QString>

class BackupSetIntake;
class EventPacer;
class FileSystem;
class GatheredPaths;

// The folder walk shared by "Add All File(s) In Folder" and dropped folders.
// It lets the window's events run through the pacer, inside large folders
// too; once the pacer reports that shutdown began, it returns at once and
// adds nothing.

// The path of the file name found in folderEntry (a folder entry of the walk,
// ending in a separator). With collapse on, every doubled separator in the
// whole path becomes one, so a root folder gives "/name" rather than "//name".
QString treeFilePath(const QString& folderEntry, const QString& name, bool collapse);

// Gathers the paths of the matching files (see matchesWildcard) of folder and
// all its subfolders, in walk order: the folder's own files first, then every
// folder one level down, grouped by parent in the parents' order, then two
// levels down, and so on; names sorted within a folder (see walkOrder). Hidden
// files are included; hidden folders and links to folders are not entered; a
// folder that cannot be listed has no files. Names starting with "~" (working
// files of other programs) are skipped. Names the set cannot take (not valid
// text, or holding ";") are left out through intake. Once gathered is full
// the walk ends: no folder is read further than the set has room for. False
// when stopped.
bool collectFolderTree(const QString& folder, const QString& pattern, bool collapse, const FileSystem& files,
    EventPacer& pacer, BackupSetIntake& intake, GatheredPaths& gathered);

// Adds those paths to the set in one insertion, once the walk is done. False
// when stopped; nothing was added then.
bool addFolderTree(const QString& folder, const QString& pattern, bool collapse, const FileSystem& files,
    EventPacer& pacer, BackupSetIntake& intake);

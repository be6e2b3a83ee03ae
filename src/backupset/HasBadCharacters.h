#pragma once

#include <QString>

class Dialogs;
class FileSystem;

// True when the system cannot report the attributes of path: a missing or
// unreachable path, or a name the system encoding cannot express.
bool HasBadCharacters(const FileSystem& files, const QString& path);

// Tells the user that path was not added when it has bad characters; true then.
bool RefusedAsBadName(Dialogs& dialogs, const FileSystem& files, const QString& path);

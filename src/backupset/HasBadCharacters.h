#pragma once

#include <QString>

class BackupSetIntake;
class FileSystem;

// True when the system cannot report the attributes of path: a missing or
// unreachable path, or a name the system encoding cannot express.
bool hasBadCharacters(const FileSystem& files, const QString& path);

// True when path has bad characters, or ";" that the set cannot store; the
// intake then counts it among the paths its action left out, for one message.
bool leftOutForName(BackupSetIntake& intake, const FileSystem& files, const QString& path);

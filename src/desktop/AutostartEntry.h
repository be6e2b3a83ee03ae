#pragma once

#include "platform/FileSystem.h"

#include <QString>

// The login entry: a freedesktop autostart file, <name>.desktop in the
// autostart folder, that starts the program with the desktop session.

// The entry's path for the executable named name.
QString autostartEntryPath(const QString& autostartFolder, const QString& name);
// One argument of an Exec line, quoted by the Desktop Entry rules (the
// quoting, "%%" for "%", and the escapes of a string value), so that blanks,
// quotes, "%", "$" and backslashes reach the program unchanged.
QString quoteExecArgument(const QString& argument);
// The whole entry for the executable at executablePath.
QByteArray autostartEntryText(const QString& executablePath);

// Writes the entry atomically (a working file renamed over it).
FileResult writeAutostartEntry(const QString& autostartFolder, const QString& executablePath);
// Deletes that one file; an entry that is not there is nothing to remove.
FileResult removeAutostartEntry(
    FileSystem& files, const QString& autostartFolder, const QString& executablePath);

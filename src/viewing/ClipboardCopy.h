#pragma once

#include "platform/FileSystem.h"

#include <QString>

// Puts the whole text of the file at path on the clipboard, read as UTF-8.
// A file that cannot be read leaves the clipboard as it was. The file is read
// here with QFile, not through FileSystem: the clipboard takes text, which no
// file operation of the program gives, and a log of a hundred megabytes is
// read in pieces straight into it rather than held twice.
FileResult copyFileTextToClipboard(const QString& path);

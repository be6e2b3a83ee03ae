#pragma once

#include "platform/FileSystem.h"

#include <QString>

// Puts the whole text of the file at path on the clipboard, read as UTF-8.
// A file that cannot be read leaves the clipboard as it was.
FileResult copyFileTextToClipboard(const QString& path);

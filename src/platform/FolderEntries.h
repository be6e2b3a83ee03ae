#pragma once

#include "FileSystem.h"

#include <QByteArray>
#include <dirent.h>

// The entry's kind as the directory reports it, without following a link;
// asked of the file system only where the directory does not say.
unsigned char entryType(int folder, const dirent& entry);

// Walks the entries of folder (encoded) for FileSystem::walkFolder; false
// when take asked to stop. A folder that cannot be read has nothing to walk.
bool walkFolderEntries(const QByteArray& folder, const WalkVisitor& take);

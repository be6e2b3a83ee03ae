#pragma once

#include "RunAndWait.h"

#include <QString>

// How the program calls 7za, always with its arguments as a list: names
// reach it intact whatever characters they hold.

// 7za of its folder adds the files named in the list file (one UTF-8 name per
// line, taken literally) to a zip archive.
ProgramCall archiverCall(const QString& archiverFolder, const QString& archive, const QString& listFile);
// 7za of its folder takes the one file named entry out of archive into
// folder, under its name in the archive.
ProgramCall extractionCall(
    const QString& archiverFolder, const QString& archive, const QString& entry, const QString& folder);
// The archiver's own lines, as many as a message box can sensibly show.
QString archiverLines(const QString& output);

#pragma once

#include "RunAndWait.h"

#include <QByteArray>
#include <QString>
#include <optional>

// How the program calls 7za, always with its arguments as a list: names
// reach it intact whatever characters they hold.

// 7za of its folder adds the files named in the list file (one UTF-8 name per
// line, taken literally) to a zip archive, telling its progress as it goes.
ProgramCall archiverCall(const QString& archiverFolder, const QString& archive, const QString& listFile);
// 7za of its folder takes the one file named entry out of archive into
// folder, under its name in the archive.
ProgramCall extractionCall(
    const QString& archiverFolder, const QString& archive, const QString& entry, const QString& folder);
// The archiver's own lines, as many as a message box can sensibly show: what
// a terminal would show, so the progress it wrote over and blanked out is gone.
QString archiverLines(const QString& output);
// The last share of its work done that 7za wrote in output ("  42% 13 + a.txt"
// after backspaces), looking only at what starts at or after from; nothing
// when it wrote none there.
std::optional<int> packedPercent(const QByteArray& output, qsizetype from = 0);

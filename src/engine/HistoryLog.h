#pragma once

#include "platform/FileSystem.h"

#include <QString>

// The history log history.txt in the program folder: one line per backed-up
// file, only ever appended to.
QString HistoryPath(const QString& programFolder);
// The line for one backed-up file: file name + " was backup saved at " + date
// text. Control characters in the name (a line break would split the line)
// are written visibly: \n, \r, \t, others as \xHH or \uHHHH.
QString HistoryLine(const QString& fileName, const QString& dateText);
// Opens the log (creating it when missing), appends the line and a CR LF, closes it.
FileResult AppendHistory(FileSystem& files, const QString& programFolder, const QString& lineText);

#pragma once

#include "platform/FileSystem.h"

#include <QString>

// The history log history.txt in the program folder: one line per backed-up
// file, only ever appended to.
QString HistoryPath(const QString& programFolder);
// Opens the log (creating it when missing), appends the line and a CR LF, closes it.
FileResult AppendHistory(FileSystem& files, const QString& programFolder, const QString& lineText);

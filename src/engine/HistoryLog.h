#pragma once

#include "platform/FileSystem.h"

#include <QString>

// The history log history.txt in the program folder: one line per backed-up
// file, only ever appended to.
QString historyPath(const QString& programFolder);
// The line for one backed-up file: file name + " was backup saved at " + date
// text. Control characters in the name (a line break would split the line)
// are written visibly: \n, \r, \t, others as \xHH or \uHHHH.
QString historyLine(const QString& fileName, const QString& dateText);
// The line for a file that could not be backed up while failures are noted
// rather than shown: file name + " could not be backed up at " + date text +
// ": " + the reason on one line.
QString historyFailureLine(const QString& fileName, const QString& dateText, const QString& reason);
// The line for a version put back in place of a file: file name + " was
// restored from " + where the version was + " at " + date text.
QString restoredLine(const QString& fileName, const QString& version, const QString& dateText);
// Opens the log (creating it when missing), appends the line and a CR LF, closes it.
FileResult appendHistory(FileSystem& files, const QString& programFolder, const QString& lineText);

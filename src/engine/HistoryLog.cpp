#include "HistoryLog.h"

QString HistoryPath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/history.txt");
}

FileResult AppendHistory(FileSystem& files, const QString& programFolder, const QString& lineText)
{
    return files.appendToFile(HistoryPath(programFolder), (lineText + QStringLiteral("\r\n")).toLocal8Bit());
}

#pragma once

#include <QTextStream>

// Each benchmark prints its figures and one summary line to out.
// The engine's files go below folder (the system's temporary folder when empty).
void runEngineBench(QTextStream& out, const QString& folder);
void runBackupSetBench(QTextStream& out);
// "Copy History To Clipboard" on a 100 MB log; first, so its memory peak is its own.
void runHistoryBench(QTextStream& out, const QString& folder);
void runScanBench(QTextStream& out);
// Archive mode against 7za run directly on the same files.
void runArchiveBench(QTextStream& out, const QString& folder);
// The options for unattended use (skipping unchanged files, trimming dated
// copies) and the catalog of copies that they judge by.
void runUnattendedBench(QTextStream& out, const QString& folder);
// Getting a file back: the versions of a file with 10,000 copies, a 256 MiB
// version restored against cp and sync, one file out of a 1 GiB archive
// against 7za e.
void runRestoreBench(QTextStream& out, const QString& folder);

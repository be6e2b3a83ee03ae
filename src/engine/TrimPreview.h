#pragma once

#include "BackupRun.h"

#include <QList>
#include <QString>
#include <QStringList>

// The copies of one source (empty: the archives) in one folder that a run
// would delete.
struct CopiesToGo {
    QString source;
    QString folder; // ending in "/"
    QStringList copies; // their paths, newest first
};

// What the next run with options would delete when it thins its dated
// copies of entries: what the run itself picks (OwnCopies::chooseSurplus),
// with the copy that run would make, named by the clock now, counted as the
// newest and the copy of that name as replaced. A file the run would skip
// as unchanged, or could not copy (missing, no name, its name held by another
// file's copy), loses no copy. An archive run is taken to make its archive.
// Nothing is deleted or written; a catalog that exists but is not open yet is
// opened, and what its opening must tell goes into problem.
QList<CopiesToGo> copiesToGo(
    const RunServices& services, const QStringList& entries, const RunOptions& options, QString* problem);

// The listing for the user: for each file how many copies would go, the
// first few of them by name.
QString copiesToGoText(const QList<CopiesToGo>& going);

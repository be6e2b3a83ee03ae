// "Add All File(s) In Folder" over a generated tree of 30,000 files in 600
// folders until every file is in the list model, against `find DIR -type f`
// over the same tree in the same run; and the longest gap between two
// event-loop passes during the scan.
#include "Benches.h"
#include "CountingDialogs.h"
#include "Median.h"
#include "backupset/AddFolder.h"
#include "backupset/BackupSetIntake.h"
#include "backupset/BackupSetModel.h"
#include "platform/EventPacer.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"
#include "platform/SystemClock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace {

constexpr int Repetitions = 5;
constexpr int Folders = 600;
constexpr int FilesPerFolder = 50;
constexpr int Children = 6; // subfolders per folder: five levels below the top

// Builds the tree breadth first; every 25th folder is hidden and every 10th
// file starts with "~". Returns how many files the scan should add.
int makeTree(const QString& top)
{
    struct Folder {
        QString path;
        bool visited;
    };
    QList<Folder> folders { { top, true } };
    QDir().mkpath(top);
    for (qsizetype parent = 0; folders.size() < Folders; ++parent) {
        for (int child = 0; child < Children && folders.size() < Folders; ++child) {
            const bool hidden = folders.size() % 25 == 0;
            const QString name
                = (hidden ? QStringLiteral(".cache%1") : QStringLiteral("folder %1")).arg(child);
            const Folder& above = folders.at(parent);
            folders.append({ above.path + u'/' + name, above.visited && !hidden });
            QDir().mkpath(folders.back().path);
        }
    }
    int expected = 0;
    for (const Folder& folder : folders) {
        for (int i = 0; i < FilesPerFolder; ++i) {
            const bool working = i % 10 == 0;
            QFile file(folder.path
                + (working ? QStringLiteral("/~lock%1.tmp") : QStringLiteral("/report %1.txt")).arg(i));
            file.open(QIODevice::WriteOnly);
            file.write("x");
            if (folder.visited && !working)
                ++expected;
        }
    }
    return expected;
}

int findFiles(const QString& top)
{
    QProcess find;
    find.start(QStringLiteral("find"), { top, QStringLiteral("-type"), QStringLiteral("f") });
    find.waitForFinished(-1);
    return static_cast<int>(find.readAllStandardOutput().count('\n'));
}

} // namespace

void runScanBench(QTextStream& out)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        out << "scan files=failed ratio=failed (no temporary folder)\n";
        return;
    }
    const QString top = dir.filePath(QStringLiteral("tree"));
    const int expected = makeTree(top);

    LocalFileSystem files;
    SystemClock clock;
    StopRequest stop;
    CountingDialogs dialogs;
    // A zero-interval timer fires once in every event-loop pass.
    QElapsedTimer elapsed;
    QList<qint64> passes;
    QTimer passMarker;
    passMarker.setInterval(0);
    QObject::connect(&passMarker, &QTimer::timeout, [&] { passes.append(elapsed.nsecsElapsed()); });

    std::vector<double> scans, finds;
    qint64 longestGap = 0;
    int added = 0;
    int found = 0;
    for (int rep = 0; rep <= Repetitions; ++rep) {
        BackupSetModel model;
        BackupSetIntake intake(model, dialogs);
        EventPacer pacer(clock, stop);
        passes.clear();
        passMarker.start();
        elapsed.start();
        const double scan
            = secondsOf([&] { AddFolderTree(top, QStringLiteral("*.*"), true, files, pacer, intake); });
        passes.append(elapsed.nsecsElapsed());
        passMarker.stop();
        const double peer = secondsOf([&] { found = findFiles(top); });
        added = model.EntryCount();
        // The first round only warms the caches.
        if (rep == 0)
            continue;
        scans.push_back(scan);
        finds.push_back(peer);
        qint64 previous = 0;
        for (qint64 pass : passes) {
            longestGap = std::max(longestGap, pass - previous);
            previous = pass;
        }
    }
    out << "scan files=" << added << " ratio=" << QString::number(median(scans) / median(finds), 'f', 2)
        << " (" << QString::number(median(scans), 'f', 4) << " s against "
        << QString::number(median(finds), 'f', 4) << " s for " << found << " files)";
    if (added != expected)
        out << " (expected " << expected << " files)";
    out << "\nscan gap_ms=" << QString::number(longestGap / 1e6, 'f', 1) << "\n";
}

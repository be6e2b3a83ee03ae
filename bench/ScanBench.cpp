// "Add All File(s) In Folder" over a generated tree of 30,000 files in 600
// folders until every file is in the list model, against `find DIR -type f`
// over the same tree in the same run; and the longest gap between two
// event-loop passes during the scan. Then the same over one folder of 200,000
// files, more than the set holds, and how long a scan of it goes on after
// the window was closed.
#include "Benches.h"
#include "CountingDialogs.h"
#include "Median.h"
#include "backupset/BackupSetIntake.h"
#include "backupset/BackupSetModel.h"
#include "backupset/FolderWalk.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"
#include "platform/SystemClock.h"
#include "support/EventLoop.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace {

constexpr int Repetitions = 5;
constexpr int Folders = 600;
constexpr int FilesPerFolder = 50;
constexpr int Children = 6; // subfolders per folder: five levels below the top
constexpr int LargeFolderFiles = 200000;

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

// A zero-interval timer fires once in every event-loop pass; the longest time
// between two passes (or the start or end of work) while work runs.
qint64 longestGapNs(const std::function<void()>& work)
{
    QElapsedTimer elapsed;
    qint64 previous = 0;
    qint64 longest = 0;
    const auto pass = [&] {
        const qint64 now = elapsed.nsecsElapsed();
        longest = std::max(longest, now - previous);
        previous = now;
    };
    QTimer marker;
    marker.setInterval(0);
    QObject::connect(&marker, &QTimer::timeout, pass);
    marker.start();
    elapsed.start();
    work();
    pass();
    return longest;
}

void runLargeFolderScan(QTextStream& out, const QString& top)
{
    QDir().mkpath(top);
    for (int i = 0; i < LargeFolderFiles; ++i) {
        QFile file(top + QStringLiteral("/track %1.flac").arg(i));
        file.open(QIODevice::WriteOnly);
    }
    LocalFileSystem files;
    SystemClock clock;
    CountingDialogs dialogs;
    std::vector<double> scans, finds, stops;
    qint64 longestGap = 0;
    int added = 0;
    for (int rep = 0; rep <= Repetitions; ++rep) {
        BackupSetModel model;
        BackupSetIntake intake(model, dialogs);
        StopRequest never;
        EventPacer pacer(clock, never);
        const double scan = secondsOf([&] {
            longestGap = std::max(longestGap,
                longestGapNs([&] { addFolderTree(top, QStringLiteral("*.*"), true, files, pacer, intake); }));
        });
        added = model.entryCount();
        const double peer = secondsOf([&] { findFiles(top); });

        // The window is closed a tenth of a second into the scan; shutdown
        // asks the scan to stop in the next event pass, and the scan ends.
        constexpr qint64 CloseAtMs = 100;
        StopRequest stop;
        EventPacer stoppable(clock, stop);
        QElapsedTimer sinceStart;
        QTimer close;
        close.setSingleShot(true);
        QObject::connect(&close, &QTimer::timeout, [&] { stop.request(); });
        BackupSetModel unused;
        BackupSetIntake unusedIntake(unused, dialogs);
        sinceStart.start();
        close.start(CloseAtMs);
        addFolderTree(top, QStringLiteral("*.*"), true, files, stoppable, unusedIntake);
        const double stopped = (sinceStart.nsecsElapsed() / 1e6 - CloseAtMs) / 1000;
        if (rep == 0)
            continue;
        scans.push_back(scan);
        finds.push_back(peer);
        stops.push_back(stopped);
    }
    out << "scan folder files=" << LargeFolderFiles << " added=" << added
        << " ratio=" << QString::number(median(scans) / median(finds), 'f', 2) << " ("
        << QString::number(median(scans), 'f', 3) << " s against " << QString::number(median(finds), 'f', 3)
        << " s for find)\nscan folder gap_ms=" << QString::number(longestGap / 1e6, 'f', 1)
        << " stop_ms=" << QString::number(median(stops) * 1000, 'f', 1) << "\n";
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

    std::vector<double> scans, finds;
    qint64 longestGap = 0;
    int added = 0;
    int found = 0;
    for (int rep = 0; rep <= Repetitions; ++rep) {
        BackupSetModel model;
        BackupSetIntake intake(model, dialogs);
        EventPacer pacer(clock, stop);
        qint64 gap = 0;
        const double scan = secondsOf([&] {
            gap = longestGapNs(
                [&] { addFolderTree(top, QStringLiteral("*.*"), true, files, pacer, intake); });
        });
        const double peer = secondsOf([&] { found = findFiles(top); });
        added = model.entryCount();
        // The first round only warms the caches.
        if (rep == 0)
            continue;
        scans.push_back(scan);
        finds.push_back(peer);
        longestGap = std::max(longestGap, gap);
    }
    out << "scan files=" << added << " ratio=" << QString::number(median(scans) / median(finds), 'f', 2)
        << " (" << QString::number(median(scans), 'f', 4) << " s against "
        << QString::number(median(finds), 'f', 4) << " s for " << found << " files)";
    if (added != expected)
        out << " (expected " << expected << " files)";
    out << "\nscan gap_ms=" << QString::number(longestGap / 1e6, 'f', 1) << "\n";
    runLargeFolderScan(out, dir.filePath(QStringLiteral("large")));
}

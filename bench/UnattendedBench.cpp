// The options for unattended use: a run over a set where nothing changed,
// with "Skip unchanged files" on, against rsync -a of the same files onto
// their existing copies (rsync's default check is also size and time); the
// same run over the largest set; and one run that trims 10,000 old dated
// copies of one file in one folder.
#include "BenchFiles.h"
#include "Benches.h"
#include "CountingDialogs.h"
#include "Median.h"
#include "engine/BackupRun.h"
#include "engine/DateText.h"
#include "platform/LocalFileSystem.h"
#include "platform/SystemClock.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);

struct Runner {
    LocalFileSystem files;
    SystemClock clock;
    CountingDialogs dialogs;
    BackupRun run;
    explicit Runner(const QString& programFolder)
        : run(RunServices { files, clock, dialogs, english, programFolder })
    {
    }
    void once(const QStringList& sources, const RunOptions& options)
    {
        run.run(RunRequest { options, sources, [](const QString&) {}, [](const QString&) {} });
    }
};

// Many tiny files made fast: the content matters to nobody here.
QStringList makeTinyFiles(const QString& folder, int count)
{
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("/file%1.txt").arg(i, 5, 10, QChar(u'0'));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray::number(i));
        paths << path;
    }
    return paths;
}

} // namespace

void runUnattendedBench(QTextStream& out, const QString& folder)
{
    QTemporaryDir work(folder.isEmpty() ? QString() : folder + QStringLiteral("/quillstead-bench-XXXXXX"));
    const QString root = work.path();
    QDir().mkpath(root + "/prog");

    // Nothing changed since the last run, against rsync -a onto the copies.
    if (QStandardPaths::findExecutable(QStringLiteral("rsync")).isEmpty()) {
        out << "unchanged: skipped, rsync is not installed\n";
    } else {
        const QStringList sources = makeFiles(root + "/small-src", SmallFiles);
        QDir().mkpath(root + "/small-dest");
        QDir().mkpath(root + "/small-rsync");
        Runner runner(root + "/prog");
        RunOptions options { false, false, DestinationMode::FixedFolder, WriteMode::CreateNew,
            root + "/small-dest/" };
        options.skipUnchanged = true;
        runner.once(sources, options);
        const QStringList rsync { "-a", root + "/small-src/", root + "/small-rsync/" };
        QProcess::execute("rsync", rsync);
        const Figures f = sideBySide(
            SmallFiles, "run", [&] { runner.once(sources, options); }, "rsync",
            [&] { QProcess::execute("rsync", rsync); }, out);
        out << "unchanged files=" << SmallFiles.count << " ratio=" << QString::number(f.ours / f.peer, 'f', 2)
            << "\n";
    }

    // The largest set, nothing changed.
    {
        const QStringList sources = makeTinyFiles(root + "/huge-src", 32767);
        QDir().mkpath(root + "/huge-dest");
        Runner runner(root + "/prog");
        RunOptions options { false, false, DestinationMode::FixedFolder, WriteMode::CreateNew,
            root + "/huge-dest/" };
        options.skipUnchanged = true;
        runner.once(sources, options);
        std::vector<double> times;
        for (int rep = 0; rep < 5; ++rep)
            times.push_back(secondsOf([&] { runner.once(sources, options); }));
        out << "unchanged files=32767 seconds=" << QString::number(median(times), 'f', 3) << "\n";
    }

    // 10,000 old dated copies of one file in one folder, all trimmed by one run.
    {
        const QString source = makeTinyFiles(root + "/prune-src", 1).front();
        const QString dest = root + "/prune-dest/";
        QDir().mkpath(dest);
        const QString base = QFileInfo(source).fileName();
        const QDateTime start(QDate(2020, 1, 1), QTime(0, 0));
        for (int i = 0; i < 10000; ++i) {
            const QDateTime when = start.addSecs(qint64(i) * 3671);
            QFile copy(dest + base + " Date " + stampDate(when.date(), english) + " Time "
                + stampTime(when.time(), english) + ".txt");
            copy.open(QIODevice::WriteOnly);
        }
        Runner runner(root + "/prog");
        RunOptions options { false, true, DestinationMode::FixedFolder, WriteMode::CreateNew, dest };
        options.keepDatedCopies = 1;
        const double seconds = secondsOf([&] { runner.once({ source }, options); });
        const qsizetype left = QDir(dest).entryList(QDir::Files).size();
        out << "prune copies=10000 seconds=" << QString::number(seconds, 'f', 3)
            << (left == 1 ? "" : " (copies left: " + QString::number(left) + ")") << "\n";
    }
    out.flush();
}

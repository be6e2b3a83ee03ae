// The options for unattended use, with the catalog of copies that they judge
// by: a run over a set where nothing changed, with "Skip unchanged files" on,
// against rsync -a of the same files onto their existing copies (rsync's
// default check is also size and time); the same run over the largest set;
// one run that trims 10,000 old dated copies of one file in one folder; a
// replacing run with the catalog against the same run without one; and the
// size of a catalog that holds 100 dated copies of each file of the largest
// set, with how long looking up every file's newest copy takes in it.
#include "BenchFiles.h"
#include "Benches.h"
#include "CountingDialogs.h"
#include "Median.h"
#include "engine/BackupRun.h"
#include "engine/CopyCatalog.h"
#include "engine/DateText.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"
#include "platform/SystemClock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);

struct Runner {
    LocalFileSystem files;
    SystemClock clock;
    CountingDialogs dialogs;
    const StopRequest neverStopped;
    std::unique_ptr<CopyCatalog> catalog;
    BackupRun run;
    // With a catalog in the program folder, as the program has; without one
    // the run records nothing.
    explicit Runner(const QString& programFolder, bool withCatalog = true)
        : catalog(withCatalog ? std::make_unique<CopyCatalog>(programFolder + "/catalog.sqlite") : nullptr)
        , run(RunServices { files, clock, dialogs, english, programFolder, neverStopped, {}, catalog.get() })
    {
        QDir().mkpath(programFolder);
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

QString dated(const QString& base, const QDateTime& when)
{
    return base + " Date " + stampDate(when.date(), english) + " Time " + stampTime(when.time(), english)
        + ".txt";
}

qint64 fileSize(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() ? info.size() : 0;
}

// Opens the catalog at path anew, as a run after a restart does, then asks
// it for the newest copy of every source in folder.
void timeNewest(
    QTextStream& out, const QString& path, const QStringList& sources, const QString& folder, qint64 rows)
{
    CopyCatalog catalog(path);
    const double opening = secondsOf([&] { catalog.open(QDateTime::currentDateTime()); });
    qsizetype found = 0;
    const double lookups = secondsOf([&] {
        for (const QString& source : sources)
            found += catalog.newest(source, folder).has_value();
    });
    out << "catalog newest files=" << sources.size() << " rows=" << rows
        << " seconds=" << QString::number(lookups, 'f', 3)
        << " open_seconds=" << QString::number(opening, 'f', 3)
        << (found == sources.size() ? QString() : " (found only " + QString::number(found) + ")") << "\n";
    out.flush();
}

void warnOfMessages(QTextStream& out, const Runner& runner)
{
    if (runner.dialogs.messages)
        out << "warning: " << runner.dialogs.messages << " errors during the runs\n";
}

// A full catalog: 100 dated copies of each of the largest set's files, made
// in 100 runs; its size, and one lookup of every file's newest copy in it.
void measureFullCatalog(QTextStream& out, const QString& folder)
{
    constexpr int Sources = 32767;
    constexpr int CopiesEach = 100;
    QDir().mkpath(folder);
    const QString path = folder + "/catalog.sqlite";
    const QString backups = QStringLiteral("/media/backup/");
    QStringList sources;
    for (int i = 0; i < Sources; ++i)
        sources << QStringLiteral("/home/user/Documents/project/file%1.txt").arg(i, 5, 10, QChar(u'0'));
    const QDateTime first(QDate(2026, 12, 6), QTime(21, 5, 3));
    bool failed = false;
    double filling = 0; // the commits alone, not the making of their names
    {
        CopyCatalog catalog(path);
        filling += secondsOf([&] { catalog.open(first); });
        for (int round = 0; round < CopiesEach && !failed; ++round) {
            const QDateTime at = first.addDays(round);
            CatalogChanges changes;
            changes.made.reserve(Sources);
            for (int i = 0; i < Sources; ++i) {
                const qint64 mtime = (at.toMSecsSinceEpoch() - 60000 + i) * 1000000;
                changes.made.append(
                    { sources[i], dated(backups + QFileInfo(sources[i]).fileName(), at.addSecs(i)), true,
                        false, FileFacts { 1000 + i, mtime }, FileFacts { 1000 + i, mtime } });
            }
            filling += secondsOf([&] { failed = !catalog.commit(round + 1, at, changes); });
        }
    }
    if (failed)
        out << "warning: a commit to the full catalog failed\n";
    const qint64 bytes = fileSize(path) + fileSize(path + "-wal");
    out << "catalog size files=" << Sources << " copies=" << CopiesEach << " bytes=" << bytes
        << " mib=" << QString::number(bytes / 1048576.0, 'f', 1)
        << " fill_seconds=" << QString::number(filling, 'f', 1) << "\n";
    out.flush();

    timeNewest(out, path, sources, backups, qint64(Sources) * CopiesEach);
}

} // namespace

void runUnattendedBench(QTextStream& out, const QString& folder)
{
    QTemporaryDir work(folder.isEmpty() ? QString() : folder + QStringLiteral("/quillstead-bench-XXXXXX"));
    const QString root = work.path();

    // Nothing changed since the last run, against rsync -a onto the copies.
    if (QStandardPaths::findExecutable(QStringLiteral("rsync")).isEmpty()) {
        out << "unchanged: skipped, rsync is not installed\n";
    } else {
        const QStringList sources = makeFiles(root + "/small-src", SmallFiles);
        QDir().mkpath(root + "/small-dest");
        QDir().mkpath(root + "/small-rsync");
        Runner runner(root + "/prog-small");
        RunOptions options { false, false, DestinationMode::FixedFolder, WriteMode::CreateNew,
            root + "/small-dest/" };
        options.skipUnchanged = true;
        runner.once(sources, options);
        const QStringList rsync { "-a", root + "/small-src/", root + "/small-rsync/" };
        QProcess::execute("rsync", rsync);
        const Figures f = sideBySide(
            SmallFiles, "run", [&] { runner.once(sources, options); }, "rsync",
            [&] { QProcess::execute("rsync", rsync); }, out);
        warnOfMessages(out, runner);
        out << "unchanged files=" << SmallFiles.count << " ratio=" << QString::number(f.ours / f.peer, 'f', 2)
            << "\n";
    }

    // The largest set, nothing changed.
    {
        const QStringList sources = makeTinyFiles(root + "/huge-src", 32767);
        QDir().mkpath(root + "/huge-dest");
        Runner runner(root + "/prog-huge");
        RunOptions options { false, false, DestinationMode::FixedFolder, WriteMode::CreateNew,
            root + "/huge-dest/" };
        options.skipUnchanged = true;
        runner.once(sources, options);
        const qint64 historyBefore = fileSize(root + "/prog-huge/history.txt");
        std::vector<double> times;
        for (int rep = 0; rep < 5; ++rep) {
            times.push_back(secondsOf([&] { runner.once(sources, options); }));
            if (qEnvironmentVariableIsSet("QUILL_BENCH_VERBOSE"))
                out << "  rep " << rep << ": run=" << times.back() << "\n";
        }
        warnOfMessages(out, runner);
        // A skipped file adds no history line: a longer log means files were copied.
        out << "unchanged files=32767 seconds=" << QString::number(median(times), 'f', 3)
            << (fileSize(root + "/prog-huge/history.txt") == historyBefore ? ""
                                                                           : " (files were copied again)")
            << "\n";
        // The lookups alone, in this catalog of one copy per file, to set
        // beside the same in a full one below.
        timeNewest(out, root + "/prog-huge/catalog.sqlite", sources, root + "/huge-dest/", sources.size());
    }

    // 10,000 old dated copies of one file in one folder, all trimmed by one
    // run. Only copies the catalog holds are the program's to delete, so they
    // are recorded as made by an earlier run, with their real size and time.
    {
        const QString source = makeTinyFiles(root + "/prune-src", 1).front();
        const QString dest = root + "/prune-dest/";
        QDir().mkpath(dest);
        const QString base = QFileInfo(source).fileName();
        const QDateTime start(QDate(2020, 1, 1), QTime(0, 0));
        QStringList copies;
        for (int i = 0; i < 10000; ++i) {
            copies << dest + dated(base, start.addSecs(qint64(i) * 3671));
            QFile copy(copies.back());
            copy.open(QIODevice::WriteOnly);
        }
        Runner runner(root + "/prog-prune");
        const std::optional<FileFacts> sourceFacts = runner.files.fileFacts(source);
        const bool ignoresCase = runner.files.ignoresLetterCase(dest);
        CatalogChanges made;
        for (const QString& copy : std::as_const(copies)) {
            made.made.append({ source, copy, true, ignoresCase, sourceFacts.value_or(FileFacts {}),
                runner.files.regularFileFacts(copy).value_or(FileFacts {}) });
        }
        const QDateTime earlier = QDateTime::currentDateTime().addDays(-30);
        runner.catalog->open(earlier);
        if (!runner.catalog->commit(1, earlier, made))
            out << "warning: the old copies could not be recorded\n";
        RunOptions options { false, true, DestinationMode::FixedFolder, WriteMode::CreateNew, dest };
        options.keepDatedCopies = 1;
        const double seconds = secondsOf([&] { runner.once({ source }, options); });
        warnOfMessages(out, runner);
        // The run's own copy and nothing else: no old copy, no working file.
        const QStringList left
            = QDir(dest).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        const bool onlyNewCopy = left.size() == 1 && !copies.contains(dest + left.front());
        const qsizetype rows = runner.catalog->datedCopies(source, dest).size();
        out << "prune copies=10000 seconds=" << QString::number(seconds, 'f', 3) << " left=" << left.size()
            << (onlyNewCopy ? "" : " (not just the new copy)")
            << (rows == 1 ? "" : " (catalog rows left: " + QString::number(rows) + ")") << "\n";
        out.flush();
    }

    // A replacing run over the small set with the catalog, against the same
    // run without one, each onto its own previous backups.
    {
        const QStringList sources = makeFiles(root + "/catalog-src", SmallFiles);
        QDir().mkpath(root + "/catalog-with");
        QDir().mkpath(root + "/catalog-without");
        Runner with(root + "/prog-with");
        Runner without(root + "/prog-without", false);
        const RunOptions withOptions { false, false, DestinationMode::FixedFolder, WriteMode::CreateNew,
            root + "/catalog-with/" };
        const RunOptions withoutOptions { false, false, DestinationMode::FixedFolder, WriteMode::CreateNew,
            root + "/catalog-without/" };
        with.once(sources, withOptions);
        without.once(sources, withoutOptions);
        const Figures f = sideBySide(
            SmallFiles, "catalog", [&] { with.once(sources, withOptions); }, "none",
            [&] { without.once(sources, withoutOptions); }, out);
        warnOfMessages(out, with);
        warnOfMessages(out, without);
        out << "catalog copies=" << SmallFiles.count << " ratio=" << QString::number(f.ours / f.peer, 'f', 2)
            << "\n";
        out.flush();
    }

    measureFullCatalog(out, root + "/full-catalog");
    out.flush();
}

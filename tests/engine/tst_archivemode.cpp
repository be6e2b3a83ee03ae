#include "RunBench.h"
#include "Unprivileged.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QLocale& english = runLocale;
const QString& completed = runCompleted;

// Every file the archive holds, by name, as the real 7za extracts it.
QMap<QString, QByteArray> archiveContents(const QString& archive)
{
    QTemporaryDir out;
    QProcess sevenZip;
    sevenZip.start(realArchiver(), { "x", "-y", "-bso0", "-bsp0", "-o" + out.path(), archive });
    if (!sevenZip.waitForFinished(60000) || sevenZip.exitCode() != 0)
        return { { "<7za x failed>", sevenZip.readAllStandardError() } };
    QMap<QString, QByteArray> contents;
    QDirIterator it(out.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        contents.insert(QDir(out.path()).relativeFilePath(path), readAll(path));
    }
    return contents;
}

QString errorEnd(int line)
{
    return runErrorEnd(line);
}

struct Bench : RunBench {
    Bench() { addArchiver(); }
    RunOptions options(bool stamping = false, WriteMode mode = WriteMode::CreateNew) const
    {
        return RunBench::options(true, stamping, mode);
    }
};

} // namespace

class TestArchiveMode : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (!QFileInfo(realArchiver()).isExecutable())
            QSKIP("no 7za beside the tests: install p7zip-full (scripts/setup.sh) and rebuild");
    }

    // Repeated names get free ones in the temp folder, every name reaches the
    // archive as it is, and list.txt names exactly this run's copies.
    void tempNamesListAndArchive_data()
    {
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QStringList>("tempNames");
        QTest::newRow("three of one name") << QStringList { "A/report.doc", "B/report.doc", "C/report.doc" }
                                           << QStringList { "report.doc", "report_1.doc", "report_1_2.doc" };
        QTest::newRow("two dots") << QStringList { "A/x.tar.gz", "B/x.tar.gz" }
                                  << QStringList { "x.tar.gz", "x.tar_1.gz" };
        QTest::newRow("same path twice")
            << QStringList { "A/report.doc", "A/report.doc" } << QStringList { "report.doc", "report_1.doc" };
        QTest::newRow("no dot") << QStringList { "A/Makefile", "B/Makefile", "C/Makefile" }
                                << QStringList { "Makefile", "Makefile_1", "Makefile_1_2" };
        QTest::newRow("letter case") << QStringList { "A/Report.doc", "B/report.doc" }
                                     << QStringList { "Report.doc", "report.doc" };
        const QStringList awkward { "my report \"final\".doc", "-rf $HOME `id`.txt", "grüße 日本.txt",
            "star*.txt", "what?.txt", "ends in a blank ", "back\\slash", "\"quoted\"" };
        QStringList awkwardSources;
        for (const QString& name : awkward)
            awkwardSources << "A/" + name;
        QTest::newRow("awkward names") << awkwardSources << awkward;
    }
    void tempNamesListAndArchive()
    {
        QFETCH(QStringList, sources);
        QFETCH(QStringList, tempNames);
        Bench b;
        // Stale copies of earlier runs that a wildcard would pull in.
        write(b.prog("temp/starX.txt"), "stale");
        write(b.prog("temp/what!.txt"), "stale");
        QStringList entries;
        QMap<QString, QByteArray> expected;
        QByteArray list;
        for (qsizetype i = 0; i < sources.size(); ++i) {
            entries << b.source(sources[i]);
            expected.insert(tempNames[i], sources[i].toUtf8());
            const QByteArray path = b.prog("temp/" + tempNames[i]).toUtf8();
            list += (path.endsWith(' ') ? '"' + path + '"' : path) + "\r\n";
        }
        QVERIFY(b.saveAll(entries, b.options()));

        QCOMPARE(b.dialogs.messageTexts(), QStringList());
        QCOMPARE(readAll(b.prog("list.txt")), list);
        QCOMPARE(archiveContents(b.dest("Backup.zip")), expected);
        QCOMPARE(b.destFiles(), QStringList { "Backup.zip" });
        QCOMPARE(b.captions, QStringList { completed });
        QVERIFY(!QFile::exists(b.prog("history.txt")));
        // The copies stay in the temp folder until shutdown.
        for (const QString& name : tempNames)
            QVERIFY(QFile::exists(b.prog("temp/" + name)));
    }

    // Two runs: the plain archive holds only the second run's files, the
    // dated one of a day gathers both, and create-new makes one per run.
    void archiveShapes_data()
    {
        QTest::addColumn<bool>("stamping");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("archives");
        QTest::addColumn<QStringList>("lastHolds");
        QTest::newRow("plain") << false << int(WriteMode::CreateNew) << QStringList { "Backup.zip" }
                               << QStringList { "b.txt" };
        QTest::newRow("stamped, overwrite")
            << true << int(WriteMode::Overwrite) << QStringList { "Backup Dec 6 2026.zip" }
            << QStringList { "a.txt", "b.txt" };
        QTest::newRow("stamped, create new") << true << int(WriteMode::CreateNew)
                                             << QStringList { "Backup Date Dec 6 2026 Time 09 05 03 PM.zip",
                                                    "Backup Date Dec 6 2026 Time 09 06 10 PM.zip" }
                                             << QStringList { "b.txt" };
    }
    void archiveShapes()
    {
        QFETCH(bool, stamping);
        QFETCH(int, mode);
        QFETCH(QStringList, archives);
        QFETCH(QStringList, lastHolds);
        Bench b;
        RunOptions options = b.options(stamping, WriteMode(mode));
        options.folderText.chop(1); // the separator is repaired and written back
        QVERIFY(b.saveAll({ b.source("a.txt") }, options));
        QCOMPARE(b.folderWrites, QStringList { b.dest() });
        b.clock.set(QDateTime(QDate(2026, 12, 6), QTime(21, 6, 10)));
        QVERIFY(b.saveAll({ b.source("b.txt") }, options));

        QCOMPARE(b.destFiles(), archives);
        QCOMPARE(archiveContents(b.dest(archives.last())).keys(), lastHolds);
        if (archives.size() > 1)
            QCOMPARE(archiveContents(b.dest(archives.first())).keys(), QStringList { "a.txt" });
        QVERIFY(b.dialogs.messages.isEmpty());
    }

    // An archiver that is missing, killed or fails leaves the previous archive
    // as it was, no working file, and says what happened at its line.
    void failedArchiverKeepsPreviousArchive_data()
    {
        QTest::addColumn<QString>("archiver");
        QTest::addColumn<bool>("stamping");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing, plain") << "missing" << false << 174 << "No such file or directory";
        QTest::newRow("missing, stamped") << "missing" << true << 170 << "could not be started";
        QTest::newRow("killed") << "kill -9 $$" << false << 174 << "signal 9";
        QTest::newRow("exit 0 without an archive") << "exit 0" << false << 174 << "without making an archive";
        QTest::newRow("fatal: the dated archive is damaged") << "real" << true << 170 << "exit code 2";
    }
    void failedArchiverKeepsPreviousArchive()
    {
        QFETCH(QString, archiver);
        QFETCH(bool, stamping);
        QFETCH(int, line);
        QFETCH(QString, says);
        Bench b;
        if (archiver == "missing")
            QFile::remove(b.prog("7za"));
        else if (archiver != "real")
            b.archiverScript(archiver.toUtf8());
        const QString previous = b.dest(stamping ? "Backup Dec 6 2026.zip" : "Backup.zip");
        write(previous, "the previous archive");

        QVERIFY(b.saveAll({ b.source("a.txt") }, b.options(stamping, WriteMode::Overwrite)));
        QCOMPARE(readAll(previous), QByteArray("the previous archive"));
        QCOMPARE(b.destFiles(), QStringList { QFileInfo(previous).fileName() });
        QCOMPARE(b.dialogs.messages.size(), 1);
        const QString text = b.dialogs.messages.front().text;
        QVERIFY2(text.endsWith(errorEnd(line)), qPrintable(text));
        QVERIFY2(text.contains(says), qPrintable(text));
        QVERIFY2(text.contains("was left as it was"), qPrintable(text));
        QCOMPARE(b.captions, QStringList { completed });
    }

    // Installed, the archiver lies in a read-only folder apart from the
    // folder the program writes to.
    void archiverFromAFolderOfItsOwn()
    {
        Bench b;
        QDir(b.root.path()).mkpath("package");
        QVERIFY(QFile::rename(b.prog("7za"), b.root.filePath("package/7za")));
        BackupRun run(RunServices {
            b.files, b.clock, b.dialogs, english, b.prog(), b.stop, b.root.filePath("package") });
        QVERIFY(
            run.run({ b.options(), { b.source("a.txt") }, [](const QString&) {}, [](const QString&) {} }));
        QVERIFY(b.dialogs.messages.isEmpty());
        QCOMPARE(archiveContents(b.dest("Backup.zip")).keys(), QStringList { "a.txt" });
    }

    void warningsAreShownAndTheArchiveKept()
    {
        Bench b;
        b.archiverScript("\"$REAL\" \"$@\" || exit $?\necho 'WARNING: a test warning' >&2\nexit 1");
        QVERIFY(b.saveAll({ b.source("a.txt") }, b.options()));
        QCOMPARE(archiveContents(b.dest("Backup.zip")).keys(), QStringList { "a.txt" });
        QCOMPARE(b.dialogs.messages.size(), 1);
        const QString text = b.dialogs.messages.front().text;
        QVERIFY2(text.contains("WARNING: a test warning") && text.endsWith(errorEnd(174)), qPrintable(text));
    }

    // A failed copy into the temp folder must not let an older copy of that
    // name into the archive as this run's.
    void staleTempCopyIsNotPacked()
    {
        Bench b;
        const QString first = b.source("a.txt", "old a");
        QVERIFY(b.saveAll({ first, b.source("b.txt") }, b.options()));
        QVERIFY(QFile::remove(first));
        QVERIFY(b.saveAll({ first, b.source("b.txt") }, b.options()));

        QCOMPARE(b.dialogs.messages.size(), 1);
        QVERIFY(b.dialogs.messages.front().text.endsWith(errorEnd(156)));
        QVERIFY(!QFile::exists(b.prog("temp/a.txt")));
        QCOMPARE(readAll(b.prog("list.txt")), b.prog("temp/b.txt").toUtf8() + "\r\n");
        QCOMPARE(archiveContents(b.dest("Backup.zip")).keys(), QStringList { "b.txt" });
    }

    // A read-only source leaves a read-only temp copy; the next run must
    // still replace it, or the new archive would go without that file.
    void readOnlySourceOverTwoRuns_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("0400") << 0400;
        QTest::newRow("0444") << 0444;
    }
    void readOnlySourceOverTwoRuns()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(int, mode);
        Bench b;
        const QString key = b.source("id.key", "first");
        const QString notes = b.source("notes.txt");
        QCOMPARE(::chmod(qPrintable(key), mode_t(mode)), 0);
        QVERIFY(b.saveAll({ key, notes }, b.options()));
        QCOMPARE(::chmod(qPrintable(key), 0600), 0);
        b.source("id.key", "second");
        QCOMPARE(::chmod(qPrintable(key), mode_t(mode)), 0);
        QVERIFY(b.saveAll({ key, notes }, b.options()));

        QCOMPARE(b.dialogs.messageTexts(), QStringList());
        const QMap<QString, QByteArray> expected { { "id.key", "second" }, { "notes.txt", "notes.txt" } };
        QCOMPARE(archiveContents(b.dest("Backup.zip")), expected);
        QCOMPARE(b.captions, (QStringList { completed, completed }));
    }

    // Nothing copied, or no list written: no archiver run, the last archive stays.
    void nothingToPackKeepsPreviousArchive_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QList<int>>("lines");
        QTest::newRow("every copy fails") << "sources" << QList<int> { 156, 156 };
        QTest::newRow("list.txt cannot be written") << "list" << QList<int> { 164 };
    }
    void nothingToPackKeepsPreviousArchive()
    {
        QFETCH(QString, fault);
        QFETCH(QList<int>, lines);
        Bench b;
        write(b.dest("Backup.zip"), "the previous archive");
        QStringList entries { b.source("a.txt"), b.source("b.txt") };
        if (fault == "sources")
            entries = { b.root.filePath("docs/gone.txt"), b.root.filePath("docs") };
        else
            QDir().mkpath(b.prog("list.txt"));
        QVERIFY(b.saveAll(entries, b.options()));
        QCOMPARE(b.dialogs.messages.size(), lines.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY(b.dialogs.messages[i].text.endsWith(errorEnd(lines[i])));
        QCOMPARE(readAll(b.dest("Backup.zip")), QByteArray("the previous archive"));
        QCOMPARE(b.destFiles(), QStringList { "Backup.zip" });
        QCOMPARE(b.captions, QStringList { completed });
    }

    // Shutdown during the archiver wait: the archiver is killed, its working
    // archive removed, the previous archive kept, and the run takes no
    // further step (no completion caption, no box).
    void shutdownDuringTheArchiverWait()
    {
        Bench b;
        b.archiverScript("sleep 1\nexec \"$REAL\" \"$@\"");
        // A dated archive of the day: the archiver works on a copy of it.
        const QString previous = b.dest("Backup Dec 6 2026.zip");
        write(previous, "the previous archive");
        QTimer::singleShot(300, [&] { b.stop.request(); });
        QVERIFY(b.saveAll({ b.source("a.txt") }, b.options(true, WriteMode::Overwrite)));
        QVERIFY(b.captions.isEmpty());
        QVERIFY(b.dialogs.messages.isEmpty());
        // Had the archiver lived on, it would write its archive after a second.
        QTest::qWait(1500);
        QCOMPARE(b.destFiles(), QStringList { "Backup Dec 6 2026.zip" });
        QCOMPARE(readAll(previous), QByteArray("the previous archive"));
    }

    // The day's dated archive may be large: events run while it is copied for
    // the archiver, and shutdown then ends the run before the archiver starts,
    // with the dated archive whole and no working file left.
    void shutdownDuringTheCopyOfTheDatedArchive()
    {
        Bench b;
        b.clock.setMonotonicStep(50); // time passes as the copy goes on
        const QString started = b.root.filePath("archiver started");
        b.archiverScript("touch '" + started.toUtf8() + "'\nexec \"$REAL\" \"$@\"");
        const QString previous = b.dest("Backup Dec 6 2026.zip");
        const QByteArray content(8 << 20, 'z');
        write(previous, content);
        // The copy is under way while a hidden working file is there.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!b.destFiles().filter(QRegularExpression("^\\..*\\.part$")).isEmpty())
                b.stop.request();
        });
        watch.start(0);
        QVERIFY(b.saveAll({ b.source("a.txt") }, b.options(true, WriteMode::Overwrite)));
        watch.stop();
        QVERIFY(b.stop.requested());
        QVERIFY(b.captions.isEmpty());
        QVERIFY(b.dialogs.messages.isEmpty());
        QCOMPARE(b.destFiles(), QStringList { "Backup Dec 6 2026.zip" });
        QVERIFY(readAll(previous) == content);
        QVERIFY(!QFile::exists(started)); // ended before the archiver started
    }

    // While the archiver runs, events run: timer ticks arrive, and a run they
    // ask for does not start.
    void ticksDuringTheWaitStartNoSecondRun()
    {
        Bench b;
        b.archiverScript("sleep 1\nexec \"$REAL\" \"$@\"");
        const QString other = b.source("other.txt");
        int ticks = 0;
        int started = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            started += b.saveAll({ other }, b.options(true)) ? 1 : 0;
        });
        timer.start(100);
        QVERIFY(b.saveAll({ b.source("a.txt") }, b.options()));
        timer.stop();
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
        QCOMPARE(started, 0);
        QCOMPARE(b.destFiles(), QStringList { "Backup.zip" });
        QCOMPARE(archiveContents(b.dest("Backup.zip")).keys(), QStringList { "a.txt" });
        QCOMPARE(b.captions, QStringList { completed });
    }
};

QTEST_GUILESS_MAIN(TestArchiveMode)
#include "tst_archivemode.moc"

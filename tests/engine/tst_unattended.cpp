#include "RunBench.h"

#include <QTimer>
#include <QtTest>

#include <utime.h>

namespace {

// Gives a file a modification time of its own, seconds after the epoch.
void setModified(const QString& path, qint64 seconds)
{
    const utimbuf times { seconds, seconds };
    QCOMPARE(::utime(QFile::encodeName(path).constData(), &times), 0);
}

QDateTime at(int day, const QTime& time)
{
    return QDateTime(QDate(2026, 12, day), time);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// One run of a trimming case: when, over which entries (below docs/), how.
struct TrimRun {
    QDateTime when;
    QStringList entries;
    WriteMode mode = WriteMode::CreateNew;
    QString before = {}; // "edit <name>": the user changes that backup first
};

} // namespace

Q_DECLARE_METATYPE(TrimRun)

class TestUnattended : public QObject {
    Q_OBJECT

private slots:
    // "Keep only the newest N" deletes only copies the catalog proves to be
    // that file's own, still as made, and newest means the order they were
    // made in, whatever their stamps say.
    void trimsOnlyTheFilesOwnCopies_data()
    {
        QTest::addColumn<QList<TrimRun>>("runs");
        QTest::addColumn<int>("keep");
        QTest::addColumn<bool>("archive");
        QTest::addColumn<bool>("beside"); // backups beside each file, not in dest/
        QTest::addColumn<QStringList>("handMade"); // in the backup folder before the first run
        QTest::addColumn<QStringList>("expected"); // what the backup folder holds at the end
        const QTime evening(21, 5, 3);
        const QString doc = QStringLiteral("report.doc Date Dec %1 2026 Time %2.doc");
        const QStringList report { "report.doc" };
        const QStringList none;

        QTest::newRow("the oldest go, in the order made")
            << QList<TrimRun> { { at(3, evening), report }, { at(4, evening), report },
                   { at(5, evening), report }, { at(6, evening), report } }
            << 2 << false << false << none
            << QStringList { doc.arg(5).arg("09 05 03 PM"), doc.arg(6).arg("09 05 03 PM") };
        QTest::newRow("two files of one name in one folder")
            << QList<TrimRun> { { at(5, evening), { "a/notes.txt" } }, { at(6, evening), { "b/notes.txt" } } }
            << 1 << false << false << none
            << QStringList { "notes.txt Date Dec 5 2026 Time 09 05 03 PM.txt",
                   "notes.txt Date Dec 6 2026 Time 09 05 03 PM.txt" };
        QTest::newRow("the clock was a day ahead")
            << QList<TrimRun> { { at(7, QTime(10, 0)), report }, { at(6, evening), report } } << 1 << false
            << false << none << QStringList { doc.arg(6).arg("09 05 03 PM") };
        QTest::newRow("the hour repeated as summer time ends")
            << QList<TrimRun> { { at(6, QTime(1, 30)), report }, { at(6, QTime(1, 10)), report } } << 1
            << false << false << none << QStringList { doc.arg(6).arg("01 10 00 AM") };
        QTest::newRow("a daily copy after a timed one of the same day") << QList<TrimRun> {
            { at(6, evening), report }, { at(6, QTime(21, 10)), report, WriteMode::Overwrite }
        } << 1 << false << false << none << QStringList { "report.doc Dec 6 2026.doc" };
        QTest::newRow("copies made before the catalog, and look-alikes")
            << QList<TrimRun> { { at(5, evening), report }, { at(6, evening), report } } << 1 << false
            << false
            << QStringList { doc.arg(1).arg("01 00 00 PM"), "report.doc Dec 2 2026.doc",
                   "report.doc Backup.doc", "report.docx Dec 1 2026.docx", "other.doc Dec 1 2026.doc" }
            << QStringList { doc.arg(1).arg("01 00 00 PM"), doc.arg(6).arg("09 05 03 PM"),
                   "other.doc Dec 1 2026.doc", "report.doc Backup.doc", "report.doc Dec 2 2026.doc",
                   "report.docx Dec 1 2026.docx" };
        QTest::newRow("a copy changed since it was made")
            << QList<TrimRun> { { at(5, evening), report },
                   { at(6, evening), report, WriteMode::CreateNew, "edit " + doc.arg(5).arg("09 05 03 PM") } }
            << 1 << false << false << none
            << QStringList { doc.arg(5).arg("09 05 03 PM"), doc.arg(6).arg("09 05 03 PM") };
        // Beside each file: a copy the user then put into the backup set stays.
        QTest::newRow("a copy that is a file of the backup set")
            << QList<TrimRun> { { at(1, evening), { "report.txt" }, WriteMode::Overwrite },
                   { at(6, evening), { "report.txt", "report.txt Dec 1 2026.txt" }, WriteMode::Overwrite } }
            << 1 << false << true << none
            << QStringList { "report.txt", "report.txt Dec 1 2026.txt",
                   "report.txt Dec 1 2026.txt Dec 6 2026.txt", "report.txt Dec 6 2026.txt" };
        QTest::newRow("archives") << QList<TrimRun> { { at(4, evening), report, WriteMode::Overwrite },
            { at(5, evening), report, WriteMode::Overwrite },
            { at(6, evening), report, WriteMode::Overwrite } }
                                  << 2 << true << false
                                  << QStringList { "Backup Dec 3 2026.zip", "Backup.zip" }
                                  << QStringList { "Backup Dec 3 2026.zip", "Backup Dec 5 2026.zip",
                                         "Backup Dec 6 2026.zip", "Backup.zip" };
        QTest::newRow("archives, the clock a day ahead") << QList<TrimRun> {
            { at(7, evening), report, WriteMode::Overwrite }, { at(6, evening), report, WriteMode::Overwrite }
        } << 1 << true << false << QStringList {} << QStringList { "Backup Dec 6 2026.zip" };
    }
    void trimsOnlyTheFilesOwnCopies()
    {
        QFETCH(QList<TrimRun>, runs);
        QFETCH(int, keep);
        QFETCH(bool, archive);
        QFETCH(bool, beside);
        QFETCH(QStringList, handMade);
        QFETCH(QStringList, expected);
        RunBench b;
        if (archive) {
            b.addArchiver();
            if (!QFileInfo(realArchiver()).isExecutable())
                QSKIP("7za is not installed beside the tests");
        }
        const QString folder = beside ? b.root.filePath("docs") : b.dest();
        for (const QString& name : handMade)
            write(folder + "/" + name, "made by hand");
        for (const TrimRun& run : runs) {
            QStringList sources;
            for (const QString& entry : run.entries)
                sources << (QFile::exists(b.root.filePath("docs/" + entry)) ? b.root.filePath("docs/" + entry)
                                                                            : b.source(entry));
            if (run.before.startsWith("edit "))
                write(folder + "/" + run.before.mid(5), "changed by the user");
            b.clock.set(run.when);
            RunOptions options = b.options(archive, true, run.mode);
            if (beside)
                options.destination = DestinationMode::SourceFolder;
            options.keepDatedCopies = keep;
            QVERIFY(b.saveAll(sources, options));
        }
        QCOMPARE(b.dialogs.messageTexts(), QStringList {});
        expected.sort();
        QCOMPARE(filesIn(folder), expected);
    }

    // "Skip unchanged" skips a file only while its own newest copy is still
    // as made and the file has the size and time it had when copied then.
    void skipsOnlyWhatItsOwnCopyProves_data()
    {
        QTest::addColumn<bool>("stamping");
        QTest::addColumn<QString>("first"); // the entry of the first run
        QTest::addColumn<QString>("second"); // of the second run
        QTest::addColumn<QString>("between"); // what happens between the runs
        QTest::addColumn<bool>("skipped");
        const QString longName = QString(120, QChar(0xE4)) + ".txt"; // 244 bytes: the stamp must shorten it
        QTest::newRow("plain copy, unchanged") << false << "report.doc"
                                               << "report.doc"
                                               << "" << true;
        QTest::newRow("dated copies, unchanged") << true << "report.doc"
                                                 << "report.doc"
                                                 << "" << true;
        QTest::newRow("a name shortened to fit") << true << longName << longName << "" << true;
        QTest::newRow("the file changed") << true << "report.doc"
                                          << "report.doc"
                                          << "change source" << false;
        QTest::newRow("its copy changed") << false << "report.doc"
                                          << "report.doc"
                                          << "change copy" << false;
        QTest::newRow("its copy replaced by a link") << false << "report.doc"
                                                     << "report.doc"
                                                     << "link copy" << false;
        QTest::newRow("another file of the same name and time") << true << "a/notes.txt"
                                                                << "b/notes.txt"
                                                                << "" << false;
    }
    void skipsOnlyWhatItsOwnCopyProves()
    {
        QFETCH(bool, stamping);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, between);
        QFETCH(bool, skipped);
        RunBench b;
        const QString one = b.source(first, "same");
        const QString two = b.source(second, "same");
        setModified(one, 1000000);
        setModified(two, 1000000);
        RunOptions options = b.options(false, stamping, WriteMode::CreateNew);
        options.skipUnchanged = true;
        QVERIFY(b.saveAll({ one }, options));
        QCOMPARE(b.destFiles().size(), 1);
        const QString copy = b.dest(b.destFiles().front());
        if (between == "change source") {
            write(two, "other");
            setModified(two, 1000000);
        } else if (between == "change copy") {
            setModified(copy, 2000000);
        } else if (between == "link copy") {
            QVERIFY(QFile::rename(copy, b.root.filePath("moved")));
            QVERIFY(QFile::link(b.root.filePath("moved"), copy));
        }
        b.clock.set(b.clock.now().addSecs(3600));
        QVERIFY(b.saveAll({ two }, options));
        QCOMPARE(b.dialogs.messageTexts(), QStringList {});
        QCOMPARE(b.history().count("was backup saved"), skipped ? 1 : 2);
        QCOMPARE(b.captions.size(), 2); // the caption is set either way
    }

    // An archive run is skipped while the newest archive of its kind is still
    // as made and the set and its files are as they were then.
    void skipsAnUnchangedArchive_data()
    {
        QTest::addColumn<bool>("stamping");
        QTest::addColumn<QString>("between");
        QTest::addColumn<int>("archiverRuns"); // over two runs
        QTest::newRow("Backup.zip, nothing changed") << false << "" << 1;
        QTest::newRow("Backup.zip, a file changed") << false << "change file" << 2;
        QTest::newRow("Backup.zip, the set changed") << false << "change set" << 2;
        QTest::newRow("Backup.zip, an older archive under its name") << false << "rotate drive" << 2;
        QTest::newRow("dated archives, nothing changed") << true << "" << 1;
        QTest::newRow("dated archives, a file changed") << true << "change file" << 2;
    }
    void skipsAnUnchangedArchive()
    {
        QFETCH(bool, stamping);
        QFETCH(QString, between);
        QFETCH(int, archiverRuns);
        RunBench b;
        b.addArchiver();
        if (!QFileInfo(realArchiver()).isExecutable())
            QSKIP("7za is not installed beside the tests");
        const QString counter = b.root.filePath("runs");
        b.archiverScript("echo run >> '" + counter.toUtf8() + "'\nexec \"$REAL\" \"$@\"");
        const QString a = b.source("a.txt");
        QStringList set { a, b.source("c.txt") };
        RunOptions options = b.options(true, stamping, WriteMode::CreateNew);
        options.skipUnchanged = true;
        QVERIFY(b.saveAll(set, options));
        if (between == "change file")
            setModified(a, 1000000);
        else if (between == "change set")
            set.removeLast();
        else if (between == "rotate drive")
            QVERIFY(QFile::remove(b.dest("Backup.zip")) && QFile::copy(realArchiver(), b.dest("Backup.zip")));
        b.clock.set(b.clock.now().addSecs(600));
        QVERIFY(b.saveAll(set, options));
        QCOMPARE(readAll(counter).count("run"), archiverRuns);
        QCOMPARE(b.dialogs.messageTexts(), QStringList {});
    }

    // A copy kept unchanged is not replaced by a same-named file's, in that
    // run or a later one, and the message says what really happened.
    void aKeptCopyIsNotReplacedByAnotherFile()
    {
        RunBench b;
        const QString one = b.source("a/notes.txt", "a");
        const QString two = b.source("b/notes.txt", "b");
        RunOptions options = b.options(false);
        options.skipUnchanged = true;
        QVERIFY(b.saveAll({ one }, options));
        QVERIFY(b.saveAll({ one, two }, options));
        QVERIFY(b.saveAll({ two }, options));
        const QString message = "The backup of \"" + two + "\" was not written: \""
            + b.dest("notes.txt Backup.txt") + "\" holds the backup of \"" + one
            + "\", which it would replace." + runErrorEnd(210);
        QCOMPARE(b.dialogs.messageTexts(), QStringList(2, message));
        QCOMPARE(readAll(b.dest("notes.txt Backup.txt")), QByteArray("a"));
    }

    // Failures noted go into the history log; no box waits, the run goes on,
    // and the count reaches whoever asked.
    void notesFailuresAndGoesOn()
    {
        RunBench b;
        RunOptions options = b.options(false);
        options.noteFailures = true;
        QVERIFY(b.saveAll({ b.root.filePath("docs/gone.txt"), b.source("here.txt") }, options));
        QVERIFY(b.dialogs.messages.isEmpty());
        const QStringList lines = b.history().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith("gone.txt could not be backed up at 12/6/2026 9:05:03 PM: "),
            qPrintable(lines[0]));
        QCOMPARE(lines[1], QStringLiteral("here.txt was backup saved at 12/6/2026 9:05:03 PM"));
        QCOMPARE(b.captions, QStringList { runCompleted });
        QVERIFY(b.saveAll({ b.source("here.txt") }, options));
        QCOMPARE(b.told, (QList<int> { 1, 0 }));
    }

    // The archive's failures are noted under the archive's own name.
    void archiveFailuresNotedUnderItsName()
    {
        RunBench b;
        b.addArchiver();
        b.archiverScript("echo broken >&2\nexit 2");
        RunOptions options = b.options(true, true, WriteMode::Overwrite);
        options.noteFailures = true;
        QVERIFY(b.saveAll({ b.source("a.txt") }, options));
        QVERIFY2(b.history().startsWith("Backup Dec 6 2026.zip could not be backed up at "),
            qPrintable(b.history()));
    }

    // The backup folder taken away during a run: every file that did not get
    // its backup is counted and noted, those copied and waiting included.
    void aFolderGoneDuringTheRunCountsEveryFileLost()
    {
        RunBench b;
        RunOptions options = b.options(false);
        options.noteFailures = true;
        b.clock.setMonotonicStep(100); // events run after every file
        QTimer::singleShot(0, [&] { QVERIFY(QDir(b.dest()).removeRecursively()); });
        QVERIFY(b.saveAll({ b.source("a.txt"), b.source("b.txt"), b.source("c.txt") }, options));
        QCOMPARE(b.told, QList<int> { 3 });
        const QStringList lines = b.history().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        for (const char* name : { "a.txt", "b.txt", "c.txt" })
            QCOMPARE(lines.filter(QString(name) + " could not be backed up").size(), 1);
        QCOMPARE(b.captions, QStringList { runCompleted });
    }
};

QTEST_GUILESS_MAIN(TestUnattended)
#include "tst_unattended.moc"

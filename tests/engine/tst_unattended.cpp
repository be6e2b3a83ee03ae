#include "RunBench.h"

#include <QtTest>

#include <utime.h>

namespace {

const QString stampedDoc = QStringLiteral("report.doc Date Dec %1 2026 Time %2 00 00 PM.doc");

// Gives a file a modification time of its own, seconds after the epoch.
void setModified(const QString& path, qint64 seconds)
{
    const utimbuf times { seconds, seconds };
    QCOMPARE(::utime(QFile::encodeName(path).constData(), &times), 0);
}

} // namespace

class TestUnattended : public QObject {
    Q_OBJECT

private slots:
    // Only the program's own dated copies of the file are trimmed, the
    // newest kept; everything that merely looks like one stays.
    void keepsOnlyTheNewestDatedCopies()
    {
        RunBench b;
        const QString source = b.source("report.doc");
        for (const auto& [day, hour] : { std::pair { 1, 1 }, { 3, 2 }, { 2, 5 } })
            write(b.dest(stampedDoc.arg(day).arg(hour, 2, 10, QChar(u'0'))), "old");
        const QStringList lookalikes { "report.doc Backup.doc", "report.docx Dec 1 2026.docx",
            "report.doc Dec 1 2026.txt", "report.doc my Dec 1 2026.doc", "other.doc Dec 1 2026.doc" };
        for (const QString& name : lookalikes)
            write(b.dest(name), "mine");
        QVERIFY(QDir().mkpath(b.dest("report.doc Dec 1 2025.doc")));
        write(b.root.filePath("elsewhere.doc"), "elsewhere");
        QVERIFY(QFile::link(b.root.filePath("elsewhere.doc"), b.dest("report.doc Dec 2 2025.doc")));

        RunOptions options = b.options(false, true, WriteMode::CreateNew);
        options.keepDatedCopies = 2;
        QVERIFY(b.saveAll({ source }, options));
        QVERIFY(b.dialogs.messages.isEmpty());
        QStringList expected = lookalikes
            + QStringList { "report.doc Dec 2 2025.doc", "report.doc Date Dec 3 2026 Time 02 00 00 PM.doc",
                  "report.doc Date Dec 6 2026 Time 09 05 03 PM.doc" };
        expected.sort();
        QCOMPARE(b.destFiles(), expected);
        QVERIFY(QFileInfo(b.dest("report.doc Dec 1 2025.doc")).isDir());
        QCOMPARE(readAll(b.root.filePath("elsewhere.doc")), QByteArray("elsewhere"));
    }

    // In archive mode the stamped archives are trimmed the same way.
    void keepsOnlyTheNewestArchives()
    {
        RunBench b;
        b.addArchiver();
        if (!QFileInfo(realArchiver()).isExecutable())
            QSKIP("7za is not installed beside the tests");
        write(b.dest("Backup Dec 4 2026.zip"), "old");
        write(b.dest("Backup Dec 5 2026.zip"), "old");
        write(b.dest("Backup.zip"), "the plain archive");
        RunOptions options = b.options(true, true, WriteMode::Overwrite);
        options.keepDatedCopies = 2;
        QVERIFY(b.saveAll({ b.source("a.txt") }, options));
        QVERIFY(b.dialogs.messages.isEmpty());
        QCOMPARE(
            b.destFiles(), (QStringList { "Backup Dec 5 2026.zip", "Backup Dec 6 2026.zip", "Backup.zip" }));
    }

    // A file whose newest backup has its size and time is not copied again.
    void skipsUnchangedFiles_data()
    {
        QTest::addColumn<bool>("stamping");
        QTest::newRow("plain copy") << false;
        QTest::newRow("dated copies") << true;
    }
    void skipsUnchangedFiles()
    {
        QFETCH(bool, stamping);
        RunBench b;
        const QString source = b.source("report.doc", "first");
        RunOptions options = b.options(false, stamping, WriteMode::CreateNew);
        options.skipUnchanged = true;
        QVERIFY(b.saveAll({ source }, options));
        const QString history = b.history();
        QCOMPARE(history.count("was backup saved"), 1);

        b.clock.set(b.clock.now().addSecs(3600));
        QVERIFY(b.saveAll({ source }, options));
        QCOMPARE(b.history(), history); // nothing copied, nothing logged
        QCOMPARE(b.destFiles().size(), 1);
        QCOMPARE(b.captions.size(), 2); // the caption is still set

        write(source, "second");
        setModified(source, 1000000);
        QVERIFY(b.saveAll({ source }, options));
        QCOMPARE(b.history().count("was backup saved"), 2);
        QCOMPARE(b.destFiles().size(), stamping ? 2 : 1);
    }

    // An archive run is skipped while the set and its files are as they were.
    void skipsAnUnchangedArchiveRun()
    {
        RunBench b;
        b.addArchiver();
        if (!QFileInfo(realArchiver()).isExecutable())
            QSKIP("7za is not installed beside the tests");
        const QString counter = b.root.filePath("runs");
        b.archiverScript("echo run >> '" + counter.toUtf8() + "'\nexec \"$REAL\" \"$@\"");
        const QString a = b.source("a.txt");
        const QString c = b.source("c.txt");
        RunOptions options = b.options(true);
        options.skipUnchanged = true;
        QVERIFY(b.saveAll({ a, c }, options));
        QVERIFY(b.saveAll({ a, c }, options));
        QCOMPARE(readAll(counter), QByteArray("run\n"));
        QVERIFY(b.saveAll({ a }, options)); // the set changed
        QVERIFY(b.saveAll({ a }, options));
        setModified(a, 1000000); // a file changed
        QVERIFY(b.saveAll({ a }, options));
        QCOMPARE(readAll(counter), QByteArray("run\nrun\nrun\n"));
        QVERIFY(b.dialogs.messages.isEmpty());
    }

    // Failures noted go into the history log; no box waits, the run goes on,
    // and the count reaches whoever asked.
    void notesFailuresAndGoesOn()
    {
        RunBench b;
        QList<int> told;
        RunOptions options = b.options(false);
        options.noteFailures = true;
        RunRequest request { options, { b.root.filePath("docs/gone.txt"), b.source("here.txt") },
            [&](const QString& c) { b.captions << c; }, [](const QString&) {},
            [&](int failed) { told << failed; } };
        QVERIFY(b.run.run(request));
        QVERIFY(b.dialogs.messages.isEmpty());
        const QStringList lines = b.history().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith("gone.txt could not be backed up at 12/6/2026 9:05:03 PM: "),
            qPrintable(lines[0]));
        QCOMPARE(lines[1], QStringLiteral("here.txt was backup saved at 12/6/2026 9:05:03 PM"));
        QCOMPARE(b.captions, QStringList { runCompleted });
        request.entries = { b.source("here.txt") };
        QVERIFY(b.run.run(request));
        QCOMPARE(told, (QList<int> { 1, 0 }));
    }
};

QTEST_GUILESS_MAIN(TestUnattended)
#include "tst_unattended.moc"

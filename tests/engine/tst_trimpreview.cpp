#include "RunBench.h"
#include "engine/TrimPreview.h"

#include <QSet>
#include <QtTest>

#include <utime.h>

namespace {

QDateTime dec(int day, int hour)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, 0));
}

QDateTime nov(int day)
{
    return QDateTime(QDate(2026, 11, day), QTime(9, 0));
}

// The files below folder, as paths relative to it.
QSet<QString> filesBelow(const QString& folder)
{
    QSet<QString> files;
    QDirIterator walk(folder, QDir::Files, QDirIterator::Subdirectories);
    while (walk.hasNext())
        files.insert(QDir(folder).relativeFilePath(walk.next()));
    return files;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

Q_DECLARE_METATYPE(CopiesToGo)

class TestTrimPreview : public QObject {
    Q_OBJECT

private slots:
    // The preview names exactly the copies the run that follows deletes,
    // the copy that run makes counted in.
    void namesWhatTheNextRunDeletes_data()
    {
        QTest::addColumn<bool>("archive");
        QTest::addColumn<bool>("beside");
        QTest::addColumn<WriteMode>("mode");
        QTest::addColumn<bool>("skipUnchanged");
        QTest::addColumn<QStringList>("entries"); // below docs/
        QTest::addColumn<QList<QDateTime>>("earlier"); // runs keeping every copy
        QTest::addColumn<QList<int>>("keep"); // newest, days, weeks
        QTest::addColumn<QStringList>("deleted"); // below the root
        const QList<QDateTime> fourRuns { dec(3, 9), dec(3, 18), dec(4, 9), dec(5, 9) };
        const QString report = QStringLiteral("dest/report.doc Date Dec %1 2026 Time %2.doc");
        QTest::newRow("by day") << false << false << WriteMode::CreateNew << false
                                << QStringList { "report.doc" } << fourRuns << QList<int> { 0, 2, 0 }
                                << QStringList { report.arg(3).arg("06 00 00 PM"),
                                       report.arg(3).arg("09 00 00 AM"), report.arg(5).arg("09 00 00 AM") };
        QTest::newRow("the newest, the run's own copy counted")
            << false << false << WriteMode::CreateNew << false << QStringList { "report.doc" } << fourRuns
            << QList<int> { 2, 0, 0 }
            << QStringList { report.arg(3).arg("06 00 00 PM"), report.arg(3).arg("09 00 00 AM"),
                   report.arg(4).arg("09 00 00 AM") };
        // Today's daily copy is replaced under its name, not deleted.
        QTest::newRow("daily copies, today's replaced")
            << false << false << WriteMode::Overwrite << false << QStringList { "report.doc" } << fourRuns
            << QList<int> { 1, 0, 0 }
            << QStringList { "dest/report.doc Dec 3 2026.doc", "dest/report.doc Dec 4 2026.doc" };
        QTest::newRow("beside each file, two files")
            << false << true << WriteMode::Overwrite << false << QStringList { "a/notes.txt", "b/notes.txt" }
            << QList<QDateTime> { nov(25), nov(27), dec(4, 9) } << QList<int> { 0, 0, 2 }
            << QStringList { "docs/a/notes.txt Dec 4 2026.txt", "docs/a/notes.txt Nov 25 2026.txt",
                   "docs/b/notes.txt Dec 4 2026.txt", "docs/b/notes.txt Nov 25 2026.txt" };
        QTest::newRow("an unchanged file is skipped and keeps its copies")
            << false << false << WriteMode::CreateNew << true << QStringList { "report.doc" } << fourRuns
            << QList<int> { 1, 0, 0 } << QStringList {};
        QTest::newRow("archives") << true << false << WriteMode::Overwrite << false << QStringList { "a.txt" }
                                  << fourRuns << QList<int> { 0, 2, 0 }
                                  << QStringList { "dest/Backup Dec 3 2026.zip" };
    }
    void namesWhatTheNextRunDeletes()
    {
        QFETCH(bool, archive);
        QFETCH(bool, beside);
        QFETCH(WriteMode, mode);
        QFETCH(bool, skipUnchanged);
        QFETCH(QStringList, entries);
        QFETCH(QList<QDateTime>, earlier);
        QFETCH(QList<int>, keep);
        QFETCH(QStringList, deleted);
        RunBench b;
        if (archive) {
            b.addArchiver();
            if (!QFileInfo(realArchiver()).isExecutable())
                QSKIP("7za is not installed beside the tests");
        }
        QStringList sources;
        for (const QString& entry : entries)
            sources << b.source(entry);
        RunOptions options = b.options(archive, true, mode);
        if (beside)
            options.destination = DestinationMode::SourceFolder;
        options.skipUnchanged = skipUnchanged;
        for (const QDateTime& when : earlier) {
            b.clock.set(when);
            QVERIFY(b.saveAll(sources, options));
        }
        b.clock.set(dec(5, 18));
        options.keepDatedCopies = keep[0];
        options.keepDaily = keep[1];
        options.keepWeekly = keep[2];
        QString problem;
        const QList<CopiesToGo> going = copiesToGo(b.run.services(), sources, options, &problem);
        QCOMPARE(problem, QString());
        QStringList named;
        for (const CopiesToGo& copies : going) {
            QVERIFY(archive ? copies.source.isEmpty() : sources.contains(copies.source));
            for (const QString& copy : copies.copies)
                named << QDir(b.root.path()).relativeFilePath(copy);
        }
        QCOMPARE(sorted(named), deleted);

        const QSet<QString> before = filesBelow(b.root.path());
        QVERIFY(b.saveAll(sources, options));
        QCOMPARE(b.dialogs.messageTexts(), QStringList {});
        const QSet<QString> gone = before - filesBelow(b.root.path());
        QCOMPARE(sorted(gone.values()), deleted);
    }

    // The listing names the first five copies of a file and counts the rest.
    void listsTheFirstFiveOfEachFile_data()
    {
        QTest::addColumn<QList<CopiesToGo>>("going");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QList<CopiesToGo> {} << "The next backup would delete no copies.";
        const QStringList seven { "/d/7", "/d/6", "/d/5", "/d/4", "/d/3", "/d/2", "/d/1" };
        QTest::newRow("a file and the archives")
            << QList<CopiesToGo> { { "/h/report.doc", "/d/", seven },
                   { "", "/d/", { "/d/Backup Dec 1 2026.zip" } } }
            << "The next backup would delete 8 copies:\r\n\r\n/h/report.doc: 7 "
               "copies\r\n/d/7\r\n/d/6\r\n/d/5\r\n"
               "/d/4\r\n/d/3\r\nand 2 more\r\n\r\nArchives in /d/: 1 copy\r\n/d/Backup Dec 1 2026.zip";
    }
    void listsTheFirstFiveOfEachFile()
    {
        QFETCH(QList<CopiesToGo>, going);
        QTEST(copiesToGoText(going), "text");
    }
};

QTEST_GUILESS_MAIN(TestTrimPreview)
#include "tst_trimpreview.moc"

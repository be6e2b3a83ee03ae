#include "RunBench.h"
#include "engine/CopyCatalog.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDateTime when(QDate(2026, 12, 6), QTime(21, 5, 3));

MadeCopy copyOf(const QString& source, const QString& backup, qint64 size = 1, bool ignoresCase = false)
{
    return MadeCopy { source, backup, true, ignoresCase, { size, 10 }, { size, 20 } };
}

} // namespace

class TestCopyCatalog : public QObject {
    Q_OBJECT

private slots:
    // A copy put under an earlier copy's name replaced that copy: its row
    // goes. Where the folder ignores letter case, so does the row of a name
    // spelled otherwise.
    void aCopyTakesTheRowOfTheOneItReplaced_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("ignoresCase");
        QTest::addColumn<int>("rowsOfTheFirst");
        QTest::newRow("the same name") << "/b/notes.txt Backup.txt" << false << 0;
        QTest::newRow("another name") << "/b/other.txt Backup.txt" << false << 1;
        QTest::newRow("another case, case kept") << "/b/NOTES.txt Backup.txt" << false << 1;
        QTest::newRow("another case, case ignored") << "/b/NOTES.txt Backup.txt" << true << 0;
        QTest::newRow("a folded letter, case ignored") << "/b/NOTEß.txt Backup.txt" << true << 1;
        QTest::newRow("another folder") << "/c/notes.txt Backup.txt" << true << 1;
    }
    void aCopyTakesTheRowOfTheOneItReplaced()
    {
        QFETCH(QString, second);
        QFETCH(bool, ignoresCase);
        QFETCH(int, rowsOfTheFirst);
        QTemporaryDir dir;
        CopyCatalog catalog(dir.filePath("catalog.sqlite"));
        QCOMPARE(catalog.open(when), QString());
        QVERIFY(
            catalog.commit(1, when, { .made = { copyOf("/a/notes.txt", "/b/notes.txt Backup.txt") } }).ok);
        QVERIFY(catalog.commit(2, when, { .made = { copyOf("/x/other", second, 2, ignoresCase) } }).ok);
        QCOMPARE(catalog.datedCopies("/a/notes.txt", "/b/").size(), rowsOfTheFirst);
        const auto named = catalog.copyNamed(second, ignoresCase);
        QVERIFY(named);
        QCOMPARE(named->source, QStringLiteral("/x/other"));
    }

    // What a commit wrote is there after the program starts again.
    void rowsOutliveTheProgram()
    {
        QTemporaryDir dir;
        {
            CopyCatalog catalog(dir.filePath("catalog.sqlite"));
            QCOMPARE(catalog.open(when), QString());
            QCOMPARE(catalog.nextRun(), 1);
            CatalogChanges changes { .made
                = { copyOf("/a/x.txt", "/b/x.txt Dec 5 2026.txt", 5),
                    MadeCopy { {}, "/b/Backup.zip", false, false, {}, { 7, 8 }, "state" } } };
            changes.drives.insert("/b/", "/b");
            QVERIFY(catalog.commit(1, when, changes).ok);
            QVERIFY(
                catalog.commit(2, when, { .made = { copyOf("/a/x.txt", "/b/x.txt Dec 6 2026.txt", 6) } }).ok);
        }
        CopyCatalog catalog(dir.filePath("catalog.sqlite"));
        QCOMPARE(catalog.open(when), QString());
        QCOMPARE(catalog.nextRun(), 3);
        const auto newest = catalog.newest("/a/x.txt", "/b/");
        QVERIFY(newest);
        QCOMPARE(newest->backup, QStringLiteral("/b/x.txt Dec 6 2026.txt"));
        QCOMPARE(newest->run, 2);
        QCOMPARE(newest->sourceFacts, (FileFacts { 6, 10 }));
        QCOMPARE(newest->backupFacts, (FileFacts { 6, 20 }));
        QCOMPARE(catalog.datedCopies("/a/x.txt", "/b/").size(), 2);
        const auto archive = catalog.newest({}, "/b/", false);
        QVERIFY(archive);
        QCOMPARE(archive->backupFacts, (FileFacts { 7, 8 }));
        QCOMPARE(archive->setState, QByteArray("state"));
        QVERIFY(!catalog.newest({}, "/b/", true));
        QCOMPARE(catalog.mountPointOf("/b/"), QStringLiteral("/b"));
        QVERIFY(catalog.commit(3, when, { .forgotten = { newest->id } }).ok);
        QCOMPARE(catalog.datedCopies("/a/x.txt", "/b/").size(), 1);
    }

    // A file that is no catalog (or one of a form this program does not know)
    // is moved aside with a message, and a new catalog takes its place.
    void anUnreadableCatalogIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a catalog") << QByteArray("garbage, not a database at all").repeated(200);
        QTest::newRow("a later form") << QByteArray();
    }
    void anUnreadableCatalogIsSetAside()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath("catalog.sqlite");
        if (content.isEmpty()) {
            if (QStandardPaths::findExecutable("sqlite3").isEmpty())
                QSKIP("needs the sqlite3 command (Debian package sqlite3)");
            CopyCatalog(path).open(when);
            // What a later version would write: the same file, another form.
            QCOMPARE(QProcess::execute("sqlite3", { path, "PRAGMA user_version = 99" }), 0);
        } else {
            write(path, content);
        }
        const QByteArray before = readAll(path);
        CopyCatalog catalog(path);
        const QString aside = path + ".unreadable-20261206-210503";
        const QString told = catalog.open(when);
        QVERIFY2(told.contains("moved aside as \"" + aside + "\""), qPrintable(told));
        QCOMPARE(readAll(aside), before);
        QVERIFY(catalog.commit(1, when, { .made = { copyOf("/a/x.txt", "/b/x.txt Backup.txt") } }).ok);
        QVERIFY(catalog.newest("/a/x.txt", "/b/"));
    }

    // A file's versions: its copies in every folder and its entries in the
    // archives, merged newest first by the order made, each with its run's
    // time; an archive's entries go with its row.
    void versionsAreCopiesAndArchiveEntries()
    {
        QTemporaryDir dir;
        CopyCatalog catalog(dir.filePath("catalog.sqlite"));
        QCOMPARE(catalog.open(when), QString());
        const QString source = "/a/notes.txt";
        MadeCopy archive { {}, "/z/Backup Dec 6 2026.zip", true, false, {}, { 900, 90 }, "state", false,
            { { source, "notes_1.txt", { 5, 50 } }, { "/a/other.txt", "other.txt", { 6, 60 } } } };
        QVERIFY(catalog.commit(1, when, { .made = { copyOf(source, "/b/notes.txt 1.txt") } }).ok);
        QVERIFY(catalog.commit(2, when.addSecs(60), { .made = { archive } }).ok);
        QVERIFY(
            catalog.commit(3, when.addSecs(120), { .made = { copyOf(source, "/c/notes.txt 3.txt") } }).ok);

        QList<CatalogVersion> versions = catalog.versionsOf(source);
        QCOMPARE(versions.size(), 3);
        QCOMPARE(versions[0].copy.backup, QStringLiteral("/c/notes.txt 3.txt"));
        QCOMPARE(versions[0].copy.made, when.addSecs(120).toUTC());
        QCOMPARE(versions[1].copy.backup, archive.backup);
        QCOMPARE(versions[1].entry, QStringLiteral("notes_1.txt"));
        QCOMPARE(versions[1].copy.sourceFacts, (FileFacts { 5, 50 }));
        QCOMPARE(versions[1].copy.backupFacts, (FileFacts { 900, 90 }));
        QCOMPARE(versions[2].copy.backup, QStringLiteral("/b/notes.txt 1.txt"));
        QVERIFY(versions[2].entry.isEmpty());
        QVERIFY(catalog.versionsOf("/a/unknown.txt").isEmpty());

        // The archive replaced under its name: its old entries go with its row.
        MadeCopy again = archive;
        again.entries = { { "/a/other.txt", "other.txt", { 7, 70 } } };
        QVERIFY(catalog.commit(4, when.addSecs(180), { .made = { again } }).ok);
        versions = catalog.versionsOf(source);
        QCOMPARE(versions.size(), 2);
        QVERIFY(versions[0].entry.isEmpty() && versions[1].entry.isEmpty());
        QCOMPARE(catalog.versionsOf("/a/other.txt").size(), 1);
    }

    // A catalog of the first form (no archive entries) is taken up, rows and all.
    void aCatalogOfTheFirstFormIsTakenUp()
    {
        if (QStandardPaths::findExecutable("sqlite3").isEmpty())
            QSKIP("needs the sqlite3 command (Debian package sqlite3)");
        QTemporaryDir dir;
        const QString path = dir.filePath("catalog.sqlite");
        {
            CopyCatalog catalog(path);
            QCOMPARE(catalog.open(when), QString());
            QVERIFY(catalog.commit(1, when, { .made = { copyOf("/a/x.txt", "/b/x.txt 1.txt") } }).ok);
        }
        QCOMPARE(
            QProcess::execute("sqlite3",
                { path, "DROP TRIGGER archive_gone; DROP TABLE archive_entries; PRAGMA user_version = 1" }),
            0);
        CopyCatalog catalog(path);
        QCOMPARE(catalog.open(when), QString());
        QCOMPARE(catalog.versionsOf("/a/x.txt").size(), 1);
        MadeCopy archive { {}, "/z/Backup.zip", false, false, {}, { 9, 9 }, "s", false,
            { { "/a/x.txt", "x.txt", { 1, 10 } } } };
        QVERIFY(catalog.commit(2, when, { .made = { archive } }).ok);
        QCOMPARE(catalog.versionsOf("/a/x.txt").size(), 2);
        QVERIFY(!QFileInfo::exists(path + ".unreadable-20261206-210503"));
    }

    // A run goes on whatever its catalog does: it is told, and the copies are made.
    void aRunGoesOnWithoutItsCatalog_data()
    {
        QTest::addColumn<bool>("unreadable"); // else: cannot be made at all
        QTest::newRow("unreadable: set aside, a new one started") << true;
        QTest::newRow("cannot be made") << false;
    }
    void aRunGoesOnWithoutItsCatalog()
    {
        QFETCH(bool, unreadable);
        RunBench b;
        if (unreadable)
            write(b.prog("catalog.sqlite"), QByteArray("not a catalog").repeated(400));
        else
            QVERIFY(QDir().mkpath(b.prog("catalog.sqlite"))); // a folder where the file should be
        QVERIFY(b.saveAll({ b.source("a.txt") }, b.options(false)));
        QCOMPARE(readAll(b.dest("a.txt Backup.txt")), QByteArray("a.txt"));
        QCOMPARE(b.history().count("was backup saved"), 1);
        QCOMPARE(b.dialogs.messages.size(), 1);
        QVERIFY(b.dialogs.messages.front().text.contains(unreadable ? "moved aside" : "cannot be opened"));
        QVERIFY(b.dialogs.messages.front().text.endsWith(runErrorEnd(212)));
        QCOMPARE(b.catalog.newest(b.root.filePath("docs/a.txt"), b.dest()).has_value(), unreadable);
    }
};

QTEST_GUILESS_MAIN(TestCopyCatalog)
#include "tst_copycatalog.moc"

#include "RunBench.h"
#include "TestFiles.h"
#include "engine/Restorer.h"

#include <QtTest>

namespace {

const QDateTime firstRun(QDate(2026, 12, 6), QTime(21, 5, 3));

// Real backups of one file made by real runs, and a restorer over them.
struct RestoreBench : RunBench {
    QString notes = source("notes.txt", "first");
    QStringList kept; // what keepCurrent was asked to keep
    FileResult keepAnswer = FileResult::success();
    Restorer restorer { RestoreServices { files, clock, runLocale, prog(), prog(), stop, &catalog,
        [this](const QString&) {
            return VersionPlaces { { dest(), root.filePath("docs/") }, runLocale };
        },
        [this](const QString& source) {
            kept << source;
            return keepAnswer;
        } } };

    // Backs notes.txt up with content at the clock's time plus minutes.
    void backUp(const QByteArray& content, int minutes, RunOptions how)
    {
        write(notes, content);
        setModified(notes, firstRun.addSecs(minutes * 60 - 3600));
        clock.set(firstRun.addSecs(minutes * 60));
        QVERIFY(saveAll({ notes }, how));
    }
};

} // namespace

class TestRestorer : public QObject {
    Q_OBJECT

private slots:
    // Put back in place: a current file that differs is kept first, one that
    // is the same is not; the version keeps its time; one history line.
    void restoresInPlace_data()
    {
        QTest::addColumn<bool>("changedSince");
        QTest::newRow("the current file differs") << true;
        QTest::newRow("the current file is the version") << false;
    }
    void restoresInPlace()
    {
        QFETCH(bool, changedSince);
        RestoreBench b;
        b.backUp("first", 0, b.options(false, true));
        b.backUp("second", 10, b.options(false, true));
        if (!changedSince) { // back as it was at the first backup
            write(b.notes, "first");
            setModified(b.notes, firstRun.addSecs(-3600));
        }
        const QList<FileVersion> versions = b.restorer.versionsOf(b.notes);
        QCOMPARE(versions.size(), 2);
        const FileVersion oldest = versions.last();
        QCOMPARE(readAll(oldest.path), QByteArray("first"));
        QCOMPARE(oldest.kind, FileVersion::Kind::Catalogued);
        QCOMPARE(oldest.made, firstRun.toUTC());
        QCOMPARE(versions.first().sameAsCurrent, changedSince);
        QCOMPARE(oldest.sameAsCurrent, !changedSince);

        QVERIFY(b.restorer.restore(oldest, b.notes).ok);
        QCOMPARE(readAll(b.notes), QByteArray("first"));
        QCOMPARE(b.files.fileFacts(b.notes), b.files.fileFacts(oldest.path));
        QCOMPARE(b.kept, changedSince ? QStringList { b.notes } : QStringList());
        QVERIFY(b.history().endsWith(
            "notes.txt was restored from " + oldest.path + " at 12/6/2026 9:15:03 PM\r\n"));
        QCOMPARE(
            QDir(b.root.filePath("docs")).entryList(QDir::Files | QDir::Hidden), QStringList { "notes.txt" });
    }

    // Keeping the current file may replace the very copy being put back (the
    // plain "... Backup" copy): the version is read before that.
    void keepingTheCurrentFileOverItsVersionLosesNothing()
    {
        RestoreBench b;
        b.backUp("version", 0, b.options(false, false, WriteMode::Overwrite));
        const FileVersion plain = b.restorer.versionsOf(b.notes).value(0);
        QCOMPARE(plain.path, b.dest("notes.txt Backup.txt"));
        write(b.notes, "current");
        b.saveAll({ b.notes }, b.options(false)); // what keeping it does
        QCOMPARE(readAll(plain.path), QByteArray("current"));
        write(plain.path, "version"); // as it was when listed
        Restorer keepsOverIt { RestoreServices { b.files, b.clock, runLocale, b.prog(), b.prog(), b.stop,
            &b.catalog, {}, [&](const QString& source) {
                return b.saveAll({ source }, b.options(false)) ? FileResult::success()
                                                               : FileResult::failure("no");
            } } };
        QVERIFY(keepsOverIt.restore(plain, b.notes).ok);
        QCOMPARE(readAll(b.notes), QByteArray("version"));
        QCOMPARE(readAll(plain.path), QByteArray("current"));
    }

    // A current file that cannot be kept is not replaced; neither is one
    // whose version cannot be had. Nothing is left half-written.
    void aFailedStepLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<bool>("keepFails");
        QTest::newRow("the current file cannot be kept") << true;
        QTest::newRow("the version is gone") << false;
    }
    void aFailedStepLeavesTheFileAsItWas()
    {
        QFETCH(bool, keepFails);
        RestoreBench b;
        b.backUp("first", 0, b.options(false, true));
        write(b.notes, "now");
        FileVersion version = b.restorer.versionsOf(b.notes).value(0);
        if (keepFails)
            b.keepAnswer = FileResult::failure("Cannot write to the backup drive");
        else
            QVERIFY(QFile::remove(version.path));
        const FileResult restored = b.restorer.restore(version, b.notes);
        QVERIFY(!restored.ok);
        QVERIFY2(restored.description.contains(keepFails ? "backup drive" : "notes.txt"),
            qPrintable(restored.description));
        QCOMPARE(readAll(b.notes), QByteArray("now"));
        QCOMPARE(
            QDir(b.root.filePath("docs")).entryList(QDir::Files | QDir::Hidden), QStringList { "notes.txt" });
        QVERIFY(!b.history().contains("restored"));
    }

    // A file whose folder is gone comes back with its folder; Restore To
    // writes beside other files, over a name the user agreed to replace.
    void restoresIntoMissingAndOtherFolders()
    {
        RestoreBench b;
        const QString deep = b.source("a/b/deep.txt", "deep");
        QVERIFY(b.saveAll({ deep }, b.options(false, true)));
        const FileVersion version = b.restorer.versionsOf(deep).value(0);
        QVERIFY(QDir(b.root.filePath("docs/a")).removeRecursively());
        QVERIFY(b.restorer.restore(version, deep).ok);
        QCOMPARE(readAll(deep), QByteArray("deep"));
        QVERIFY(b.kept.isEmpty()); // nothing there to keep

        const QString elsewhere = b.root.filePath("elsewhere");
        QDir().mkpath(elsewhere);
        write(elsewhere + "/deep.txt", "taken");
        QVERIFY(b.restorer.restoreTo(version, deep, elsewhere).ok);
        QCOMPARE(readAll(elsewhere + "/deep.txt"), QByteArray("deep"));
        // Into the file's own folder it is a restore: the current file is kept first.
        write(deep, "changed");
        QVERIFY(b.restorer.restoreTo(version, deep, b.root.filePath("docs/a/b")).ok);
        QCOMPARE(b.kept, QStringList { deep });
    }

    // Versions inside plain and dated archives come out through the real 7za.
    void restoresFromArchives_data()
    {
        QTest::addColumn<bool>("stamping");
        QTest::newRow("Backup.zip") << false;
        QTest::newRow("a dated archive") << true;
    }
    void restoresFromArchives()
    {
        QFETCH(bool, stamping);
        RestoreBench b;
        b.addArchiver();
        const QString other
            = b.source("sub/notes.txt", "the other notes"); // the same name, in the archive too
        write(b.notes, "packed");
        QVERIFY(b.saveAll({ other, b.notes }, b.options(true, stamping, WriteMode::Overwrite)));
        write(b.notes, "changed since");
        const QList<FileVersion> versions = b.restorer.versionsOf(b.notes);
        QCOMPARE(versions.size(), 1);
        const FileVersion packed = versions[0];
        QVERIFY(packed.inArchive());
        QCOMPARE(packed.entry, QStringLiteral("notes_1.txt"));
        QVERIFY(packed.whereText().startsWith("notes_1.txt in " + b.dest()));
        QVERIFY(b.restorer.restore(packed, b.notes).ok);
        QCOMPARE(readAll(b.notes), QByteArray("packed"));
        QCOMPARE(readAll(other), QByteArray("the other notes"));
        QCOMPARE(b.kept, QStringList { b.notes });
        QString opened;
        QVERIFY(b.restorer.temporaryCopy(packed, b.notes, opened).ok);
        QVERIFY(opened.startsWith(b.prog("temp/notes.txt as of ")));
        QCOMPARE(readAll(opened), QByteArray("packed"));
        QVERIFY(
            !(QFileInfo(opened).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)));
        QCOMPARE(QDir(b.prog("temp/restore")).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // A failing or missing archiver is told with its own lines, and nothing changes.
    void aFailingArchiverRestoresNothing_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("told");
        QTest::newRow("fails") << QByteArray("echo 'ERROR: broken archive' >&2; exit 2")
                               << "failed with exit code 2:\r\nERROR: broken archive";
        QTest::newRow("writes half a file and fails") << QByteArray(
            "for a; do case $a in -o*) d=${a#-o};; esac; done; echo half > \"$d/notes.txt\"; exit 2")
                                                      << "failed with exit code 2";
        QTest::newRow("missing") << QByteArray() << "could not be started";
    }
    void aFailingArchiverRestoresNothing()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, told);
        RestoreBench b;
        b.addArchiver();
        write(b.notes, "packed");
        QVERIFY(b.saveAll({ b.notes }, b.options(true)));
        write(b.notes, "now");
        const FileVersion packed = b.restorer.versionsOf(b.notes).value(0);
        if (script.isEmpty())
            QFile::remove(b.prog("7za"));
        else
            b.archiverScript(script);
        const FileResult restored = b.restorer.restore(packed, b.notes);
        QVERIFY(!restored.ok);
        QVERIFY2(restored.description.contains(told), qPrintable(restored.description));
        QVERIFY(restored.description.contains(
            "\"notes.txt\" could not be taken out of \"" + b.dest("Backup.zip")));
        QCOMPARE(readAll(b.notes), QByteArray("now"));
        QVERIFY(b.kept.isEmpty());
        QCOMPARE(QDir(b.prog("temp/restore")).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // Copies the catalog does not hold are found by name, marked, beside the
    // catalog's own; the catalog's copy is not listed twice.
    void findsCopiesByName()
    {
        RestoreBench b;
        b.backUp("catalogued", 60, b.options(false, true));
        write(b.dest("notes.txt Dec 1 2026.txt"), "older, by name");
        write(b.dest("notes.txt Backup.txt"), "plain");
        write(b.dest("notes.txt Dec 9 2026.txt"), "newer, by name");
        write(b.dest("notes.txt Dec 32 2026.txt"), "no date: not a copy");
        write(b.root.filePath("docs/notes.txt Dec 2 2026.txt"), "beside the file");
        setModified(b.dest("notes.txt Backup.txt"), QDateTime(QDate(2026, 12, 4), QTime(12, 0)));
        QStringList listed;
        for (const FileVersion& version : b.restorer.versionsOf(b.notes))
            listed << QString::fromUtf8(readAll(version.path)) + "/" + QString::number(int(version.kind));
        QCOMPARE(listed,
            (QStringList {
                "newer, by name/1", "catalogued/0", "plain/2", "beside the file/1", "older, by name/1" }));
        // Without a catalog only what names say is there.
        const QList<FileVersion> byName = versionsOf(b.notes, { { b.dest() }, runLocale }, nullptr, b.files);
        QCOMPARE(byName.size(), 4);
    }
};

QTEST_MAIN(TestRestorer)
#include "tst_restorer.moc"

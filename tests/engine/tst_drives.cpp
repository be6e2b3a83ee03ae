// Backups on the drives people use: exFAT and NTFS sticks through their FUSE
// drivers, a share over sshfs, a small drive that fills up, and drives that
// are unmounted or pulled out. Each drive is real and mounted for the test;
// without root or FUSE a test skips, saying why.
#include "MountedDrive.h"
#include "RunBench.h"

#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// A modification time with nanoseconds that no FUSE drive here stores.
void setFineModified(const QString& path)
{
    const struct timespec times[2] = { { 1234567891, 234567891 }, { 1234567891, 234567891 } };
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

QString refusedName(const QString& name, const QString& folder)
{
    return "The backup name \"" + name + "\" holds characters that the drive at \"" + folder
        + "\" cannot store." + runErrorEnd(210);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Options for backups into the drive's top folder.
RunOptions onDrive(const RunBench& b, const MountedDrive& drive, bool archive = false)
{
    RunOptions options = b.options(archive);
    options.folderText = drive.path() + "/";
    return options;
}

} // namespace

Q_DECLARE_METATYPE(MountedDrive::Kind)

class TestDrives : public QObject {
    Q_OBJECT

private slots:
    // On FUSE drives the file system's flush never reaches the driver: each
    // copy is flushed itself. Their coarser times still let unchanged files
    // be skipped, and a name the drive refuses is told as such.
    void fuseDrivesKeepEveryPromise_data()
    {
        QTest::addColumn<MountedDrive::Kind>("kind");
        QTest::addColumn<QByteArray>("fileFlush"); // what the driver's log shows for a file's flush
        QTest::addColumn<QByteArray>("folderFlush"); // for a folder's; empty where it is not shown
        QTest::addColumn<bool>("refusesColon");
        QTest::newRow("exFAT (exfat-fuse)") << MountedDrive::Kind::Exfat << QByteArray("opcode: FSYNC (")
                                            << QByteArray("opcode: FSYNCDIR (") << true;
        QTest::newRow("NTFS with Windows names (ntfs-3g)")
            << MountedDrive::Kind::NtfsWindowsNames << QByteArray("opcode: FSYNC (")
            << QByteArray("opcode: FSYNCDIR (") << true;
        // The log of the share's server, which hears of files only.
        QTest::newRow("a share (sshfs)")
            << MountedDrive::Kind::Sshfs << QByteArray(": fsync (handle") << QByteArray() << false;
    }
    void fuseDrivesKeepEveryPromise()
    {
        QFETCH(MountedDrive::Kind, kind);
        QFETCH(QByteArray, fileFlush);
        QFETCH(QByteArray, folderFlush);
        QFETCH(bool, refusesColon);
        RunBench b;
        MountedDrive drive(kind, b.root.filePath("drive"), 64, true);
        if (!drive.isMounted())
            QSKIP(qPrintable(drive.whyNot()));
        const QString folder = drive.path() + "/";
        const QString a = b.source("a.txt", "alpha");
        const QString c = b.source("c.txt", "gamma");
        const QString odd = b.source("a:b.txt");
        setFineModified(a);
        RunOptions options = b.options(false, true, WriteMode::CreateNew);
        options.folderText = folder;
        options.skipUnchanged = true;
        QVERIFY(b.saveAll({ a, c, odd }, options));

        const QString oddName = "a:b.txt Date Dec 6 2026 Time 09 05 03 PM.txt";
        const QStringList refused
            = refusesColon ? QStringList { refusedName(oddName, folder) } : QStringList {};
        QCOMPARE(b.dialogs.messageTexts(), refused);
        const int saved = refusesColon ? 2 : 3;
        QCOMPARE(b.history().count("was backup saved"), saved);
        QCOMPARE(readAll(folder + "a.txt Date Dec 6 2026 Time 09 05 03 PM.txt"), QByteArray("alpha"));
        const QByteArray log = drive.debugLog();
        QVERIFY2(log.count(fileFlush) >= saved, log.right(2000).constData());
        QVERIFY2(folderFlush.isEmpty() || log.contains(folderFlush), log.right(2000).constData());

        // An hour later nothing has changed: nothing is copied again.
        b.clock.set(b.clock.now().addSecs(3600));
        QVERIFY(b.saveAll({ a, c, odd }, options));
        QCOMPARE(b.history().count("was backup saved"), saved);
        QCOMPARE(b.dialogs.messageTexts().size(), 2 * refused.size());
    }

    // Where a drive takes names without letter case, two files whose backup
    // names differ only in case cannot both be kept: the second is told.
    void letterCaseOfTheDrive_data()
    {
        QTest::addColumn<MountedDrive::Kind>("kind");
        QTest::addColumn<bool>("ignoresCase");
        QTest::newRow("exFAT ignores it") << MountedDrive::Kind::Exfat << true;
        QTest::newRow("NTFS keeps it") << MountedDrive::Kind::Ntfs << false;
        QTest::newRow("tmpfs keeps it") << MountedDrive::Kind::Tmpfs << false;
    }
    void letterCaseOfTheDrive()
    {
        QFETCH(MountedDrive::Kind, kind);
        QFETCH(bool, ignoresCase);
        RunBench b;
        MountedDrive drive(kind, b.root.filePath("drive"));
        if (!drive.isMounted())
            QSKIP(qPrintable(drive.whyNot()));
        const QString folder = drive.path() + "/";
        QCOMPARE(b.files.ignoresLetterCase(folder), ignoresCase);
        QCOMPARE(filesIn(folder), QStringList {}); // the probe left nothing
        const QStringList set { b.source("Case.txt"), b.source("sub/CASE.txt"), b.source("sub/case.txt") };
        RunOptions options = b.options(false);
        options.folderText = folder;
        QVERIFY(b.saveAll(set, options));
        if (!ignoresCase) {
            QCOMPARE(filesIn(folder).size(), 3);
            QVERIFY(b.dialogs.messages.isEmpty());
            return;
        }
        QCOMPARE(filesIn(folder), QStringList { "Case.txt Backup.txt" });
        QCOMPARE(readAll(folder + "Case.txt Backup.txt"), QByteArray("Case.txt"));
        QCOMPARE(b.history().count("was backup saved"), 1);
        QCOMPARE(b.dialogs.messages.size(), 2);
        for (const auto& message : b.dialogs.messages)
            QVERIFY2(message.text.contains("made earlier in this run"), qPrintable(message.text));
    }

    // A drive with room for one more copy of a file, but not for one more of
    // every file: the copies waiting are put in place, which frees their old
    // copies' room, and the copy that did not fit is tried again.
    void aFullDriveMakesRoomAndTriesAgain()
    {
        RunBench b;
        MountedDrive drive(MountedDrive::Kind::Tmpfs, b.root.filePath("drive"), 1);
        if (!drive.isMounted())
            QSKIP(qPrintable(drive.whyNot()));
        const RunOptions options = onDrive(b, drive);
        const QStringList set { b.source("a.bin", QByteArray(300 << 10, 'a')),
            b.source("b.bin", QByteArray(300 << 10, 'b')) };
        QVERIFY(b.saveAll(set, options));
        write(set[0], QByteArray(300 << 10, 'A'));
        write(set[1], QByteArray(300 << 10, 'B'));
        QVERIFY(b.saveAll(set, options));
        QCOMPARE(b.dialogs.messageTexts(), QStringList {});
        QCOMPARE(readAll(drive.path() + "/a.bin Backup.bin"), QByteArray(300 << 10, 'A'));
        QCOMPARE(readAll(drive.path() + "/b.bin Backup.bin"), QByteArray(300 << 10, 'B'));
    }

    // A backup folder that is a drive's mount point, while the drive is not
    // mounted: nothing goes into the bare folder that takes its place.
    void anUnmountedDriveGetsNothing_data()
    {
        QTest::addColumn<bool>("archive");
        QTest::addColumn<bool>("noted");
        QTest::newRow("copies, message") << false << false;
        QTest::newRow("copies, noted") << false << true;
        QTest::newRow("archive, message") << true << false;
    }
    void anUnmountedDriveGetsNothing()
    {
        QFETCH(bool, archive);
        QFETCH(bool, noted);
        RunBench b;
        b.addArchiver();
        if (archive && !QFileInfo(realArchiver()).isExecutable())
            QSKIP("7za is not installed beside the tests");
        MountedDrive drive(MountedDrive::Kind::Tmpfs, b.root.filePath("drive"));
        if (!drive.isMounted())
            QSKIP(qPrintable(drive.whyNot()));
        const QString folder = drive.path() + "/";
        RunOptions options = onDrive(b, drive, archive);
        options.noteFailures = noted;
        const QStringList set { b.source("a.txt"), b.source("b.txt") };
        QVERIFY(b.saveAll(set, options));
        QCOMPARE(b.dialogs.messageTexts(), QStringList {});
        const std::optional<quint64> mounted = b.files.deviceOf(folder);
        drive.unmount();
        QVERIFY(mounted && b.files.deviceOf(folder) != mounted); // what tells the drive's return

        const QString history = b.history();
        QVERIFY(b.saveAll(set, options));
        QCOMPARE(filesIn(folder), QStringList {});
        const QString why = "The backup folder \"" + folder
            + "\" is not on its drive (at the last backup it was on the drive mounted at \"" + drive.path()
            + "\"). Connect the drive; nothing was written.";
        if (noted) {
            QCOMPARE(b.history(),
                history + "2 files could not be backed up at 12/6/2026 9:05:03 PM: " + why + "\r\n");
            QCOMPARE(b.told.last(), 2);
        } else {
            QCOMPARE(b.dialogs.messageTexts(), QStringList { why + runErrorEnd(archive ? 174 : 210) });
            QCOMPARE(b.history(), history);
        }
    }

    // A drive pulled out during a run: no copy lands in the folder left
    // behind, and every file of the run is counted, the copies that were
    // waiting to be put in place included.
    void aDrivePulledDuringTheRun()
    {
        RunBench b;
        MountedDrive drive(MountedDrive::Kind::Tmpfs, b.root.filePath("drive"));
        if (!drive.isMounted())
            QSKIP(qPrintable(drive.whyNot()));
        RunOptions options = onDrive(b, drive);
        options.noteFailures = true;
        b.clock.setMonotonicStep(100); // events run after every file
        QTimer::singleShot(0, [&] { drive.unmount(true); });
        QVERIFY(b.saveAll({ b.source("a.txt"), b.source("b.txt"), b.source("c.txt") }, options));
        QCOMPARE(filesIn(drive.path()), QStringList {});
        QCOMPARE(b.told, QList<int> { 3 });
        QCOMPARE(b.history().count("could not be backed up"), 3);
        QCOMPARE(b.history().count("was backup saved"), 0);
    }
};

QTEST_GUILESS_MAIN(TestDrives)
#include "tst_drives.moc"

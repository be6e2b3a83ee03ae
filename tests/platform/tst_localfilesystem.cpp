#include "TestFiles.h"
#include "Unprivileged.h"
#include "platform/LocalCopyGroup.h"
#include "platform/LocalFileSystem.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList everything(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestLocalFileSystem : public QObject {
    Q_OBJECT

private slots:
    void attributesOnlyOfPathsThatCanBeRead_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("expected");
        QTest::newRow("existing file") << "HAND-M.CUR" << true;
        QTest::newRow("empty text") << "" << false;
        QTest::newRow("missing file") << "history.txt" << false;
        QTest::newRow("through a missing folder") << "Splash/picture.bmp" << false;
        QTest::newRow("through a file") << "HAND-M.CUR/picture.bmp" << false;
        QTest::newRow("a folder") << "." << true;
    }

    void attributesOnlyOfPathsThatCanBeRead()
    {
        QFETCH(QString, relative);
        QFETCH(bool, expected);
        QTemporaryDir folder;
        QFile file(folder.filePath("HAND-M.CUR"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        LocalFileSystem files;
        const QString path = relative.isEmpty() ? QString() : folder.filePath(relative);
        QCOMPARE(files.queryAttributes(path), expected);
    }

    void copyReplacesAndKeepsTimeAndMode()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("report.doc");
        const QString backup = dir.filePath("report.doc Backup.doc");
        write(source, QByteArray(300000, 'n'));
        write(backup, "yesterday");
        QVERIFY(QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QDateTime old(QDate(2020, 1, 2), QTime(3, 4, 5), Qt::UTC);
        {
            QFile f(source);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
        }

        LocalFileSystem files;
        QVERIFY(files.copyFile(source, backup).ok);
        QCOMPARE(readAll(backup), QByteArray(300000, 'n'));
        QCOMPARE(QFileInfo(backup).lastModified().toUTC(), old);
        QCOMPARE(QFileInfo(backup).permissions(), QFileInfo(source).permissions());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    // A copy that breaks off half way must leave yesterday's backup as it was
    // and no stray working file beside it.
    void failedCopyKeepsOldBackupAndLeavesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("source missing") << "missing";
        QTest::newRow("source is a folder") << "folder";
        QTest::newRow("read error after the copy began") << "readerror";
        QTest::newRow("destination folder missing") << "nofolder";
    }
    void failedCopyKeepsOldBackupAndLeavesNothing()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString source = dir.filePath("gone.txt");
        QString backup = dir.filePath("dest/gone.txt Backup.txt");
        QVERIFY(QDir(dir.path()).mkdir("dest"));
        const QByteArray good("the good copy of yesterday\n");
        write(backup, good);
        if (kind == "folder") {
            source = dir.filePath("afolder");
            QVERIFY(QDir(dir.path()).mkdir("afolder"));
        }
        if (kind == "readerror")
            source = QStringLiteral("/proc/self/mem"); // opens fine; reading from offset 0 fails
        if (kind == "nofolder") {
            write(source, "x");
            backup = dir.filePath("nowhere/x Backup.txt");
        }

        LocalFileSystem files;
        const FileResult result = files.copyFile(source, backup);
        QVERIFY(!result.ok);
        // Read failures name the source, write failures the backup.
        QVERIFY2(result.description.contains(kind == "nofolder" ? backup : source),
            qPrintable(result.description));
        QCOMPARE(readAll(dir.filePath("dest/gone.txt Backup.txt")), good);
        QCOMPARE(QDir(dir.filePath("dest")).entryList(QDir::Files | QDir::Hidden | QDir::System),
            QStringList { "gone.txt Backup.txt" });
    }

    void failedCopyToANewNameLeavesNothing()
    {
        QTemporaryDir dir;
        LocalFileSystem files;
        QVERIFY(!files.copyFile(QStringLiteral("/proc/self/mem"), dir.filePath("mem Backup")).ok);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty());
    }

    // Pipes, sockets and devices are never opened for reading: a pipe would
    // block for good, /dev/zero would fill the disk. A link to a file works.
    void onlyRegularFilesAreCopied_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("endless device") << "/dev/zero";
        QTest::newRow("link to a file") << "link";
    }
    void onlyRegularFilesAreCopied()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("dest"));
        QString source = kind;
        if (kind == "fifo") {
            source = dir.filePath("pipe");
            QCOMPARE(::mkfifo(QFile::encodeName(source).constData(), 0600), 0);
        } else if (kind == "link") {
            write(dir.filePath("real.txt"), "real");
            source = dir.filePath("link.txt");
            QVERIFY(QFile::link(dir.filePath("real.txt"), source));
        }
        LocalFileSystem files;
        const FileResult result = files.copyFile(source, dir.filePath("dest/x Backup"));
        if (kind == "link") {
            QVERIFY(result.ok);
            QCOMPARE(readAll(dir.filePath("dest/x Backup")), QByteArray("real"));
            return;
        }
        QVERIFY(!result.ok);
        QCOMPARE(result.description, "Cannot copy: \"" + source + "\" is not a regular file");
        QVERIFY(everything(dir.filePath("dest")).isEmpty());
    }

    void holesStayHoles()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("sparse.img");
        {
            QFile file(source);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(64) << 20));
            QVERIFY(file.seek(qint64(32) << 20));
            file.write(QByteArray(4096, 'd'));
        }
        LocalFileSystem files;
        const QString backup = dir.filePath("sparse.img Backup.img");
        QVERIFY(files.copyFile(source, backup).ok);
        QCOMPARE(readAll(backup), readAll(source));
        struct stat info { };
        QCOMPARE(::stat(QFile::encodeName(backup).constData(), &info), 0);
        QVERIFY2(info.st_blocks * 512 < (1 << 20), qPrintable(QString::number(info.st_blocks)));
    }

    // A file-size limit makes the write fail like a full disk: reported with
    // the backup's name, the old backup kept, nothing left behind.
    void fileSizeLimitIsAnOrdinaryFailure()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("big.bin");
        const QString backup = dir.filePath("big.bin Backup.bin");
        write(source, QByteArray(3 << 20, 'b'));
        write(backup, "old");
        LocalFileSystem files;
        struct rlimit saved { };
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit small = saved;
        small.rlim_cur = 1 << 20;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const FileResult result = files.copyFile(source, backup);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!result.ok);
        QCOMPARE(result.description, "Cannot write \"" + backup + "\": File too large");
        QCOMPARE(readAll(backup), QByteArray("old"));
        QCOMPARE(everything(dir.path()), (QStringList { "big.bin", "big.bin Backup.bin" }));
    }

    // Until a copy is whole (and on disk) its data lives only under the
    // working name; a copy abandoned half way leaves the old backup as it was.
    void copyTakesItsNameOnlyWhenComplete()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("big.bin");
        const QString backup = dir.filePath("big.bin Backup.bin");
        const QString working = LocalCopyGroup::workingPathFor(backup);
        write(source, QByteArray(4 << 20, 'n'));
        LocalFileSystem files;
        int calls = 0;
        QVERIFY(files
                    .copyFile(source, backup,
                        [&] {
                            ++calls;
                            return !QFile::exists(backup) && QFile::exists(working);
                        })
                    .ok);
        QVERIFY(calls >= 3);
        QCOMPARE(readAll(backup), QByteArray(4 << 20, 'n'));

        write(backup, "old");
        calls = 0;
        QVERIFY(!files.copyFile(source, backup, [&] { return ++calls < 2; }).ok);
        QCOMPARE(readAll(backup), QByteArray("old"));
        QCOMPARE(everything(dir.path()), (QStringList { "big.bin", "big.bin Backup.bin" }));
    }

    // A working file left by an interrupted copy is cleaned up by the next
    // copy to the same backup; one that another copy of the program holds
    // (locked) is neither written nor removed.
    void workingFilesLeftOrInUse()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("a.txt");
        const QString backup = dir.filePath("a.txt Backup.txt");
        const QString working = LocalCopyGroup::workingPathFor(backup);
        QVERIFY(QFileInfo(working).fileName().startsWith(".quillstead-"));
        QCOMPARE(QFileInfo(working).path(), dir.path());
        write(source, "new");
        write(working, QByteArray(100000, 'x'));
        LocalFileSystem files;
        QVERIFY(files.copyFile(source, backup).ok);
        QCOMPARE(readAll(backup), QByteArray("new"));
        QVERIFY(!QFile::exists(working));

        write(working, "theirs");
        const int theirs = ::open(QFile::encodeName(working).constData(), O_RDWR);
        QVERIFY(theirs >= 0);
        QCOMPARE(::flock(theirs, LOCK_EX | LOCK_NB), 0);
        write(source, "newer");
        const FileResult result = files.copyFile(source, backup);
        ::close(theirs);
        QVERIFY(!result.ok);
        QVERIFY2(result.description.contains("another copy of the program"), qPrintable(result.description));
        QCOMPARE(readAll(working), QByteArray("theirs"));
        QCOMPARE(readAll(backup), QByteArray("new"));
    }

    // A name that was not valid UTF-8 on disk reaches the program with U+FFFD
    // in it, which may also be the exact name of another file: such a path
    // counts as one that cannot be named, and is never copied.
    void namesThatCannotBeNamedExactly()
    {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + "/";
        for (const QByteArray& name : { QByteArray("caf\xe9.txt"), QByteArray("caf\xef\xbf\xbd.txt") }) {
            const int fd = ::open((folder + name).constData(), O_CREAT | O_WRONLY, 0644);
            QVERIFY(fd >= 0);
            ::close(fd);
        }
        const QString shown = dir.path() + "/caf" + QChar::ReplacementCharacter + ".txt";
        LocalFileSystem files;
        QVERIFY(!files.queryAttributes(shown));
        const FileResult result = files.copyFile(shown, dir.filePath("x Backup.txt"));
        QVERIFY(!result.ok);
        QVERIFY(!QFile::exists(dir.filePath("x Backup.txt")));
        // Qt cannot name the first file either, so it cannot remove it.
        ::unlink((folder + "caf\xe9.txt").constData());
    }

    // A scratch copy (the archiver's temp copies) replaces whatever has its
    // name, and never writes through a link or a second name of a file
    // elsewhere.
    void scratchCopyOverWhatIsThere_data()
    {
        QTest::addColumn<QString>("there");
        QTest::newRow("an older, longer copy") << "copy";
        QTest::newRow("a link to a file elsewhere") << "link";
        QTest::newRow("a second name of a file elsewhere") << "hard link";
    }
    void scratchCopyOverWhatIsThere()
    {
        QFETCH(QString, there);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("temp"));
        const QString source = dir.filePath("a.txt");
        const QString copy = dir.filePath("temp/a.txt");
        const QString elsewhere = dir.filePath("elsewhere.txt");
        write(source, "this run's content");
        write(elsewhere, "not ours");
        if (there == "link")
            QVERIFY(QFile::link(elsewhere, copy));
        else if (there == "hard link")
            QCOMPARE(
                ::link(QFile::encodeName(elsewhere).constData(), QFile::encodeName(copy).constData()), 0);
        else
            write(copy, "an older copy, longer than the new one");

        LocalFileSystem files;
        QVERIFY(files.copyFile(source, copy, {}, CopyDurability::Scratch).ok);
        QCOMPARE(readAll(copy), QByteArray("this run's content"));
        QCOMPARE(readAll(elsewhere), QByteArray("not ours"));
        QCOMPARE(everything(dir.filePath("temp")), QStringList { "a.txt" });
        QVERIFY(!QFileInfo(copy).isSymLink());
    }

    // The archiver's working file takes the archive's name only whole; a
    // replace that fails leaves the previous archive as it was. A folder
    // that may not be read still gets its rename written out.
    void replaceDurably_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("over the previous archive") << "previous" << true;
        QTest::newRow("first archive") << "first" << true;
        QTest::newRow("folder may not be read") << "unreadable" << true;
        QTest::newRow("working file missing") << "missing" << false;
        QTest::newRow("a folder holds the name") << "folder" << false;
    }
    void replaceDurably()
    {
        QFETCH(QString, kind);
        QFETCH(bool, replaced);
        if (kind == "unreadable")
            RUN_AS_UNPRIVILEGED_USER();
        QTemporaryDir dir;
        const QString working = dir.filePath(".Backup.zip.part");
        const QString archive = dir.filePath("Backup.zip");
        if (kind != "missing")
            write(working, "the new archive");
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkpath("Backup.zip/inside"));
        else if (kind != "first")
            write(archive, "the previous archive");
        const auto permissions = QFile::permissions(dir.path());
        if (kind == "unreadable")
            QVERIFY(QFile::setPermissions(dir.path(), QFile::WriteOwner | QFile::ExeOwner));

        const FileResult result = LocalFileSystem().replaceDurably(working, archive);
        QVERIFY(QFile::setPermissions(dir.path(), permissions));
        QVERIFY2(result.ok == replaced, qPrintable(result.description));
        if (replaced) {
            QCOMPARE(readAll(archive), QByteArray("the new archive"));
            QVERIFY(!QFile::exists(working));
        } else if (kind == "folder") {
            QVERIFY2(result.description.startsWith("Cannot replace \"" + archive + "\""),
                qPrintable(result.description));
            QVERIFY(QFileInfo(archive).isDir());
            QCOMPARE(readAll(working), QByteArray("the new archive"));
        } else {
            QCOMPARE(readAll(archive), QByteArray("the previous archive"));
        }
    }

    void appendCreatesThenAppends()
    {
        QTemporaryDir dir;
        LocalFileSystem files;
        const QString log = dir.filePath("history.txt");
        QVERIFY(files.writeFile(log, "one\r\n", FileSystem::Write::Appending).ok);
        QVERIFY(files.writeFile(log, "two\r\n", FileSystem::Write::Appending).ok);
        QCOMPARE(readAll(log), QByteArray("one\r\ntwo\r\n"));
        QVERIFY(!files.writeFile(dir.filePath("no/such/history.txt"), "x", FileSystem::Write::Appending).ok);
    }

    void writeFileReplacesContent()
    {
        QTemporaryDir dir;
        LocalFileSystem files;
        const QString path = dir.filePath("list.txt");
        QVERIFY(files.writeFile(path, "a much longer first content").ok);
        QVERIFY(files.writeFile(path, "short").ok);
        QCOMPARE(readAll(path), QByteArray("short"));
    }

    void queriesAndListing()
    {
        QTemporaryDir dir;
        LocalFileSystem files;
        write(dir.filePath("a.txt"), "a");
        write(dir.filePath("b.doc"), "b");
        write(dir.filePath(".hidden.txt"), "h");
        QVERIFY(QDir(dir.path()).mkdir("sub.txt"));
        QVERIFY(QDir(dir.path()).mkdir(".secret"));

        QCOMPARE(files.listFiles(dir.path(), "*.txt"), QStringList { "a.txt" });
        QCOMPARE(files.listFiles(dir.path(), "*"), (QStringList { "a.txt", "b.doc" }));
        QCOMPARE(files.listFolders(dir.path()), QStringList { "sub.txt" });
        QVERIFY(files.fileExists(dir.filePath("a.txt")));
        QVERIFY(!files.fileExists(dir.filePath("sub.txt")));
        QVERIFY(files.folderExists(dir.filePath("sub.txt")));
        QVERIFY(files.queryAttributes(dir.filePath("sub.txt")));
        QVERIFY(!files.queryAttributes(dir.filePath("none")));
        QVERIFY(!files.queryAttributes(QString()));
        // A lone surrogate cannot be written in the system's encoding.
        QVERIFY(!files.queryAttributes(dir.path() + "/bad" + QChar(0xD800) + ".txt"));
        QVERIFY(files.modificationTime(dir.filePath("a.txt")).has_value());
        QVERIFY(!files.modificationTime(dir.filePath("missing/a.txt")).has_value());

        QVERIFY(files.removeFile(dir.filePath("a.txt")).ok);
        QVERIFY(!files.removeFile(dir.filePath("a.txt")).ok);
        QVERIFY(files.makeFolder(dir.filePath("temp")).ok);
        QVERIFY(!files.makeFolder(dir.filePath("temp")).ok);
    }

    // The temp folder is emptied this way at shutdown: every kind of file
    // goes, hidden ones too, and nothing outside the folder or below it.
    void removeFilesInTakesEveryFileButNothingBeyond()
    {
        QTemporaryDir dir;
        LocalFileSystem files;
        const QString temp = dir.filePath("temp");
        const QString outside = dir.filePath("outside");
        QVERIFY(QDir().mkpath(temp + "/sub") && QDir().mkpath(temp + "/.cache") && QDir().mkpath(outside));
        for (const char* name : { "a.txt", "noext", ".netrc", ".env", "sub/kept", ".cache/kept" })
            write(temp + "/" + name, "secret");
        write(outside + "/target.txt", "keep");
        QVERIFY(QFile::setPermissions(temp + "/.netrc", QFile::ReadOwner));
        QVERIFY(QFile::link(outside + "/target.txt", temp + "/to-file"));
        QVERIFY(QFile::link(outside, temp + "/to-folder"));
        QVERIFY(QFile::link(dir.filePath("gone"), temp + "/dangling"));
        QCOMPARE(::mkfifo(QFile::encodeName(temp + "/pipe").constData(), 0600), 0);

        QVERIFY(files.removeFilesIn(temp).ok);
        QCOMPARE(everything(temp), (QStringList { ".cache", "sub" }));
        QCOMPARE(everything(temp + "/sub"), QStringList { "kept" });
        QCOMPARE(everything(temp + "/.cache"), QStringList { "kept" });
        QCOMPARE(everything(outside), QStringList { "target.txt" });
        QCOMPARE(readAll(outside + "/target.txt"), QByteArray("keep"));
        QVERIFY(files.removeFilesIn(dir.filePath("missing")).ok);
    }
};

QTEST_GUILESS_MAIN(TestLocalFileSystem)
#include "tst_localfilesystem.moc"

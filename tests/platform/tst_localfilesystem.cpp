#include "platform/LocalFileSystem.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestLocalFileSystem : public QObject {
    Q_OBJECT

private slots:
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
        if (kind == "nofolder")
            backup = dir.filePath("nowhere/x Backup.txt");

        LocalFileSystem files;
        const FileResult result = files.copyFile(source, backup);
        QVERIFY(!result.ok);
        QVERIFY(!result.description.isEmpty());
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

    void appendCreatesThenAppends()
    {
        QTemporaryDir dir;
        LocalFileSystem files;
        const QString log = dir.filePath("history.txt");
        QVERIFY(files.appendToFile(log, "one\r\n").ok);
        QVERIFY(files.appendToFile(log, "two\r\n").ok);
        QCOMPARE(readAll(log), QByteArray("one\r\ntwo\r\n"));
        QVERIFY(!files.appendToFile(dir.filePath("no/such/history.txt"), "x").ok);
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
};

QTEST_GUILESS_MAIN(TestLocalFileSystem)
#include "tst_localfilesystem.moc"

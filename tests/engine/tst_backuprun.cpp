#include "RunBench.h"
#include "Unprivileged.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QLocale& english = runLocale;
const QString& completed = runCompleted;

QString errorText(const QString& description, int line)
{
    return description + runErrorEnd(line);
}

struct Bench : RunBench {
    RunOptions fixedFolder(bool stamping = false, WriteMode mode = WriteMode::CreateNew) const
    {
        return options(false, stamping, mode);
    }
};

} // namespace

class TestBackupRun : public QObject {
    Q_OBJECT

private slots:
    void emptySetOnlySetsCaption()
    {
        Bench b;
        QVERIFY(b.saveAll({}, b.fixedFolder()));
        QCOMPARE(b.captions, QStringList { "No files added to backup." });
        QVERIFY(b.dialogs.messages.isEmpty());
        QVERIFY(!QFile::exists(b.root.filePath("prog/history.txt")));
        QVERIFY(QDir(b.dest()).isEmpty());
    }

    void everyNameShape_data()
    {
        QTest::addColumn<bool>("stamping");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QString>("name");
        const int create = int(WriteMode::CreateNew), overwrite = int(WriteMode::Overwrite);
        QTest::newRow("plain, fixed") << false << create << true << "report.doc Backup.doc";
        QTest::newRow("plain ignores write mode") << false << overwrite << true << "report.doc Backup.doc";
        QTest::newRow("create new, fixed")
            << true << create << true << "report.doc Date Dec 6 2026 Time 09 05 03 PM.doc";
        QTest::newRow("overwrite, fixed") << true << overwrite << true << "report.doc Dec 6 2026.doc";
        QTest::newRow("plain, beside source") << false << create << false << "report.doc Backup.doc";
        QTest::newRow("create new, beside source")
            << true << create << false << "report.doc Date Dec 6 2026 Time 09 05 03 PM.doc";
        QTest::newRow("overwrite, beside source")
            << true << overwrite << false << "report.doc Dec 6 2026.doc";
    }
    void everyNameShape()
    {
        QFETCH(bool, stamping);
        QFETCH(int, mode);
        QFETCH(bool, fixed);
        QFETCH(QString, name);
        Bench b;
        const QString source = b.source("report.doc", "the report");
        RunOptions options = b.fixedFolder(stamping, WriteMode(mode));
        if (!fixed)
            options.destination = DestinationMode::SourceFolder;
        QVERIFY(b.saveAll({ source }, options));

        const QString expected = fixed ? b.dest(name) : b.root.filePath("docs/" + name);
        QCOMPARE(readAll(expected), QByteArray("the report"));
        QCOMPARE(b.history(), QStringLiteral("report.doc was backup saved at 12/6/2026 9:05:03 PM\r\n"));
        QCOMPARE(b.captions, QStringList { completed });
        QVERIFY(b.dialogs.messages.isEmpty());
    }

    void fixedFolderWithoutSeparatorIsRepairedAndWrittenBack()
    {
        Bench b;
        RunOptions options = b.fixedFolder();
        options.folderText.chop(1);
        QVERIFY(b.saveAll({ b.source("a.txt"), b.source("b.txt") }, options));
        QVERIFY(QFile::exists(b.dest("a.txt Backup.txt")));
        QVERIFY(QFile::exists(b.dest("b.txt Backup.txt")));
        QCOMPARE(b.folderWrites, QStringList { b.dest() });
    }

    void duplicatesAndDottedNames()
    {
        Bench b;
        const QString report = b.source("report.doc");
        const QString notes = b.source("notes.2026.txt", "notes");
        const QString makefile = b.source("Makefile", "all:");
        QVERIFY(b.saveAll({ report, notes, report, makefile }, b.fixedFolder()));
        QCOMPARE(QDir(b.dest()).entryList(QDir::Files | QDir::Hidden),
            (QStringList { "Makefile Backup", "notes.2026.txt Backup.txt", "report.doc Backup.doc" }));
        QCOMPARE(b.history(),
            QStringLiteral("report.doc was backup saved at 12/6/2026 9:05:03 PM\r\n"
                           "notes.2026.txt was backup saved at 12/6/2026 9:05:03 PM\r\n"
                           "report.doc was backup saved at 12/6/2026 9:05:03 PM\r\n"
                           "Makefile was backup saved at 12/6/2026 9:05:03 PM\r\n"));
    }

    // A file without "." inside a dotted folder must not take its extension
    // from the folder name (that would name a file in another folder).
    void extensionNeverComesFromAFolder()
    {
        Bench b;
        QDir(b.root.path()).mkpath("docs/v1.2");
        const QString source = b.source("v1.2/README", "readme");
        RunOptions options = b.fixedFolder(true, WriteMode::Overwrite);
        options.destination = DestinationMode::SourceFolder;
        QVERIFY(b.saveAll({ source }, options));
        QCOMPARE(readAll(b.root.filePath("docs/v1.2/README Dec 6 2026")), QByteArray("readme"));
    }

    void missingFileInTheMiddle()
    {
        Bench b;
        const QString first = b.source("first.txt");
        const QString third = b.source("third.txt");
        QVERIFY(b.saveAll({ first, b.root.filePath("docs/missing.txt"), third }, b.fixedFolder()));
        QCOMPARE(b.dialogs.messages.size(), 1);
        const ScriptedDialogs::Message& box = b.dialogs.messages.front();
        QCOMPARE(box.caption, QStringLiteral("Application Error"));
        QCOMPARE(box.icon, MessageIcon::Exclamation);
        QVERIFY2(
            box.text.endsWith("\r\nin Quillkeep.IntervalSave.SaveAll at line 210"), qPrintable(box.text));
        QVERIFY(box.text.contains("missing.txt"));
        QCOMPARE(b.history(),
            QStringLiteral("first.txt was backup saved at 12/6/2026 9:05:03 PM\r\n"
                           "third.txt was backup saved at 12/6/2026 9:05:03 PM\r\n"));
        QCOMPARE(b.captions, QStringList { completed });
    }

    void everyFileFailingStillCompletes()
    {
        Bench b;
        RunOptions options = b.fixedFolder();
        options.destination = DestinationMode::None;
        QVERIFY(b.saveAll({ b.source("a.txt"), b.source("b.txt") }, options));
        QCOMPARE(b.dialogs.messages.size(), 2);
        for (const auto& box : b.dialogs.messages)
            QVERIFY(box.text.endsWith("at line 210"));
        QCOMPARE(b.captions, QStringList { completed });
        QVERIFY(!QFile::exists(b.root.filePath("prog/history.txt")));
    }

    // An empty folder text would put backups into the file-system root, or
    // the archive into the working directory: nothing is written at all.
    void emptyFolderTextWritesNothing_data()
    {
        QTest::addColumn<bool>("archive");
        QTest::addColumn<bool>("stamping");
        QTest::addColumn<int>("line");
        QTest::newRow("plain") << false << false << 200;
        QTest::newRow("stamped") << false << true << 198;
        QTest::newRow("archive") << true << false << 172;
        QTest::newRow("stamped archive") << true << true << 168;
    }
    void emptyFolderTextWritesNothing()
    {
        QFETCH(bool, archive);
        QFETCH(bool, stamping);
        QFETCH(int, line);
        Bench b;
        if (archive)
            b.addArchiver();
        RunOptions options = b.options(archive, stamping);
        options.folderText.clear();
        QVERIFY(b.saveAll({ b.source("a.txt") }, options));
        QCOMPARE(b.dialogs.messageTexts(), QStringList { errorText("No destination folder is set.", line) });
        QVERIFY(b.folderWrites.isEmpty());
        QVERIFY(!QFile::exists(b.prog("history.txt")));
        QDirIterator written(b.root.path(), { "*.zip", "*.part", "*Backup*" }, QDir::Files | QDir::Hidden,
            QDirIterator::Subdirectories);
        QVERIFY(!written.hasNext());
        QVERIFY(!QFileInfo::exists(QDir::current().filePath("Backup.zip")));
        QCOMPARE(b.captions, QStringList { completed });
    }

    void stampedWithoutWriteModeFailsTheCopy()
    {
        Bench b;
        QVERIFY(b.saveAll({ b.source("a.txt") }, b.fixedFolder(true, WriteMode::None)));
        QCOMPARE(b.dialogs.messages.size(), 1);
        QVERIFY(b.dialogs.messages.front().text.endsWith("at line 210"));
        QVERIFY(QDir(b.dest()).isEmpty());
    }

    void historyThatCannotBeWrittenIsReportedAndTheCopyStays()
    {
        Bench b;
        QVERIFY(QDir(b.root.filePath("prog")).removeRecursively());
        QVERIFY(b.saveAll({ b.source("a.txt"), b.source("b.txt") }, b.fixedFolder()));
        // The catalog beside the log cannot be opened either: it is told first.
        QCOMPARE(b.dialogs.messages.size(), 3);
        QVERIFY(b.dialogs.messages.front().text.contains("catalog.sqlite"));
        for (const auto& message : b.dialogs.messages)
            QVERIFY(message.text.endsWith("at line 212"));
        QVERIFY(QFile::exists(b.dest("a.txt Backup.txt")));
        QVERIFY(QFile::exists(b.dest("b.txt Backup.txt")));
    }

    // The worst outcome for a backup program: a failed copy destroying the
    // last good backup. The old copy must stay byte for byte.
    void failedCopyLeavesPreviousBackupIntact()
    {
        Bench b;
        const QString source = b.source("data.bin", "version one");
        QVERIFY(b.saveAll({ source }, b.fixedFolder()));
        QVERIFY(QFile::remove(source));
        QVERIFY(QDir(b.root.path()).mkdir("docs/data.bin")); // now unreadable as a file
        QVERIFY(b.saveAll({ source }, b.fixedFolder()));
        QCOMPARE(b.dialogs.messages.size(), 1);
        QCOMPARE(readAll(b.dest("data.bin Backup.bin")), QByteArray("version one"));
        QCOMPARE(QDir(b.dest()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            QStringList { "data.bin Backup.bin" });
    }

    // An error box lets events run; a timer tick or a button press arriving
    // then must not start a second run.
    void noSecondRunWhileOneIsInProgress()
    {
        Bench b;
        int nestedResult = -1;
        b.dialogs.onMessage = [&](const ScriptedDialogs::Message&) {
            nestedResult = b.saveAll({ b.source("other.txt") }, b.fixedFolder()) ? 1 : 0;
            QVERIFY(b.run.isRunning());
        };
        QVERIFY(b.saveAll({ b.root.filePath("docs/missing.txt"), b.source("a.txt") }, b.fixedFolder()));
        QCOMPARE(nestedResult, 0);
        QVERIFY(!QFile::exists(b.dest("other.txt Backup.txt")));
        QVERIFY(!b.run.isRunning());
        QCOMPARE(b.captions, QStringList { completed });
        b.dialogs.onMessage = nullptr;
        QVERIFY(b.saveAll({ b.source("other.txt") }, b.fixedFolder()));
        QVERIFY(QFile::exists(b.dest("other.txt Backup.txt")));
    }

    // A run never silently replaces a backup it wrote itself: not for two
    // files of one name from two folders, nor for two long names that come
    // out alike once cut to the file system's limit.
    void aBackupOfThisRunIsNeverReplaced_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("backup");
        const QString longBase = QString(125, QChar(0xE4)); // 250 bytes of UTF-8
        QTest::newRow("one name, two folders") << "a/notes.txt"
                                               << "b/notes.txt"
                                               << "notes.txt Backup.txt";
        QTest::newRow("long names cut alike")
            << longBase + "1.md" << longBase + "2.md" << QString(122, QChar(0xE4)) + " Backup.md";
    }
    void aBackupOfThisRunIsNeverReplaced()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, backup);
        Bench b;
        QDir(b.root.filePath("docs")).mkpath("a");
        QDir(b.root.filePath("docs")).mkpath("b");
        const QString one = b.source(first, "first");
        const QString two = b.source(second, "second");
        QVERIFY(b.saveAll({ one, two, one }, b.fixedFolder()));
        QCOMPARE(b.destFiles(), QStringList { backup });
        QCOMPARE(readAll(b.dest(backup)), QByteArray("first"));
        QCOMPARE(b.dialogs.messageTexts(),
            QStringList {
                errorText(QStringLiteral("The backup of \"%1\" was not written: its name \"%2\" is the "
                                         "name of the backup of \"%3\" made earlier in this run.")
                              .arg(two, b.dest(backup), one),
                    210) });
        QCOMPARE(b.history().count("was backup saved"), 2);
    }

    // An unplugged drive: one message for the whole run, not one per file,
    // which says that none of the run's files was backed up.
    void missingBackupFolderGivesOneMessage_data()
    {
        QTest::addColumn<bool>("isFile");
        QTest::newRow("missing") << false;
        QTest::newRow("a file, not a folder") << true;
    }
    void missingBackupFolderGivesOneMessage()
    {
        QFETCH(bool, isFile);
        Bench b;
        RunOptions options = b.fixedFolder();
        options.folderText = b.root.filePath("usb/");
        QFile file(b.root.filePath("usb"));
        if (isFile)
            QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(b.saveAll({ b.source("a.txt"), b.source("b.txt"), b.source("c.txt") }, options));
        QCOMPARE(b.dialogs.messageTexts(),
            QStringList {
                errorText(QStringLiteral("The backup folder \"%1\" does not exist or is not a folder; "
                                         "no file was backed up (3 files in this run).")
                              .arg(b.root.filePath("usb/")),
                    210) });
        QCOMPARE(b.captions, QStringList { completed });
        QVERIFY(!QFile::exists(b.root.filePath("prog/history.txt")));
    }

    void controlCharactersInANameStayOnOneLogLine()
    {
        Bench b;
        QVERIFY(b.saveAll({ b.source("two\nlines\x1b.txt") }, b.fixedFolder()));
        QVERIFY(QFile::exists(b.dest("two\nlines\x1b.txt Backup.txt")));
        QCOMPARE(
            b.history(), QStringLiteral("two\\nlines\\x1B.txt was backup saved at 12/6/2026 9:05:03 PM\r\n"));
    }

    // Shutdown during a run: the copy under way is abandoned (old backup
    // intact, no working file), and the run takes no further step.
    void shutdownEndsTheRun_data()
    {
        QTest::addColumn<bool>("duringCopy");
        QTest::newRow("during a long copy") << true;
        QTest::newRow("while an error box is open") << false;
    }
    void shutdownEndsTheRun()
    {
        QFETCH(bool, duringCopy);
        Bench b;
        b.clock.setMonotonicStep(100); // every check finds it time to let events run
        const QString big = b.source("big.bin", QByteArray(16 << 20, 'n'));
        QFile old(b.dest("big.bin Backup.bin"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        bool workingFileSeen = false;
        const auto shutDown = [&] {
            workingFileSeen
                = b.destFiles().filter(QRegularExpression("^\\.quillstead-.*\\.part$")).size() == 1;
            b.stop.request();
        };
        if (duringCopy)
            QTimer::singleShot(0, shutDown);
        else
            b.dialogs.onMessage = [&](const ScriptedDialogs::Message&) { shutDown(); };
        const QString first = duringCopy ? big : b.root.filePath("docs/missing.txt");
        QVERIFY(b.saveAll({ first, b.source("later.txt"), big }, b.fixedFolder()));
        QCOMPARE(workingFileSeen, duringCopy);
        QCOMPARE(b.dialogs.messages.size(), duringCopy ? 0 : 1);
        QCOMPARE(b.destFiles(), QStringList { "big.bin Backup.bin" });
        QCOMPARE(readAll(b.dest("big.bin Backup.bin")), QByteArray("old"));
        QVERIFY(b.captions.isEmpty());
        QVERIFY(!QFile::exists(b.root.filePath("prog/history.txt")));
    }

    // A box may wait for hours; the backups made before it must already be
    // in place and logged, with no working file left, when it shows.
    void copiesBeforeAFailureAreInPlaceWhenItsBoxShows_data()
    {
        QTest::addColumn<QString>("third");
        QTest::newRow("source missing") << "missing/c.txt";
        QTest::newRow("backup name taken earlier in the run") << "other/a.txt";
    }
    void copiesBeforeAFailureAreInPlaceWhenItsBoxShows()
    {
        QFETCH(QString, third);
        Bench b;
        QDir(b.root.filePath("docs")).mkpath("other");
        QStringList entries { b.source("a.txt"), b.source("b.txt"), b.root.filePath("docs/" + third),
            b.source("d.txt"), b.source("e.txt") };
        if (third.startsWith("other/"))
            b.source(third);
        QStringList filesAtTheBox;
        QString historyAtTheBox;
        b.dialogs.onMessage = [&](const ScriptedDialogs::Message&) {
            filesAtTheBox = b.destFiles();
            historyAtTheBox = b.history();
        };
        QVERIFY(b.saveAll(entries, b.fixedFolder()));

        QCOMPARE(b.dialogs.messages.size(), 1);
        QCOMPARE(filesAtTheBox, (QStringList { "a.txt Backup.txt", "b.txt Backup.txt" }));
        const QString line = QStringLiteral(" was backup saved at 12/6/2026 9:05:03 PM\r\n");
        QCOMPARE(historyAtTheBox, "a.txt" + line + "b.txt" + line);
        QCOMPARE(b.destFiles(),
            (QStringList { "a.txt Backup.txt", "b.txt Backup.txt", "d.txt Backup.txt", "e.txt Backup.txt" }));
        QCOMPARE(b.history(), "a.txt" + line + "b.txt" + line + "d.txt" + line + "e.txt" + line);
    }

    // A copy keeps its source's permission bits. Over two runs: a backup
    // read-only only because its source is gets replaced (in place where the
    // folder is not writable); one the user protected stays, with a message.
    void readOnlyBackupOverTwoRuns_data()
    {
        QTest::addColumn<int>("sourceMode");
        QTest::addColumn<bool>("userProtects");
        QTest::addColumn<bool>("lockFolder");
        QTest::newRow("0400 source") << 0400 << false << false;
        QTest::newRow("0444 source, folder not writable") << 0444 << false << true;
        QTest::newRow("backup protected by the user") << 0644 << true << false;
        QTest::newRow("protected, folder not writable") << 0644 << true << true;
    }
    void readOnlyBackupOverTwoRuns()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(int, sourceMode);
        QFETCH(bool, userProtects);
        QFETCH(bool, lockFolder);
        Bench b;
        const QString source = b.source("key.pem", "first");
        const QString backup = b.dest("key.pem Backup.pem");
        QCOMPARE(::chmod(qPrintable(source), mode_t(sourceMode)), 0);
        QVERIFY(b.saveAll({ source }, b.fixedFolder()));
        QCOMPARE(b.dialogs.messageTexts(), QStringList());
        QCOMPARE(QFileInfo(backup).permissions(), QFileInfo(source).permissions());

        QCOMPARE(::chmod(qPrintable(source), 0600), 0);
        b.source("key.pem", "second");
        QCOMPARE(::chmod(qPrintable(source), mode_t(sourceMode)), 0);
        if (userProtects)
            QCOMPARE(::chmod(qPrintable(backup), 0400), 0);
        if (lockFolder)
            QCOMPARE(::chmod(qPrintable(b.dest()), 0500), 0);
        QVERIFY(b.saveAll({ source }, b.fixedFolder()));
        QCOMPARE(::chmod(qPrintable(b.dest()), 0700), 0);

        QCOMPARE(b.destFiles(), QStringList { "key.pem Backup.pem" });
        const QString line = QStringLiteral("key.pem was backup saved at 12/6/2026 9:05:03 PM\r\n");
        if (userProtects) {
            QCOMPARE(b.dialogs.messageTexts(),
                QStringList { errorText("Cannot write \"" + backup + "\": Permission denied", 210) });
            QCOMPARE(readAll(backup), QByteArray("first"));
            QCOMPARE(QFileInfo(backup).permissions(), QFile::ReadOwner | QFile::ReadUser);
            QCOMPARE(b.history(), line);
        } else {
            QCOMPARE(b.dialogs.messageTexts(), QStringList());
            QCOMPARE(readAll(backup), QByteArray("second"));
            QCOMPARE(QFileInfo(backup).permissions(), QFileInfo(source).permissions());
            QCOMPARE(b.history(), line + line);
        }
    }

    // Root ignores permission bits, so the run is made by the unprivileged
    // user 65534 in a process of its own. A backup the user made read-only
    // stays; a writable backup in a folder the user cannot write is replaced.
    void permissionsOfAnOrdinaryUser_data()
    {
        QTest::addColumn<bool>("readOnlyBackup");
        QTest::newRow("read-only backup") << true;
        QTest::newRow("writable backup, folder not writable") << false;
    }
    void permissionsOfAnOrdinaryUser()
    {
        QFETCH(bool, readOnlyBackup);
        const QString setpriv = QStandardPaths::findExecutable("setpriv");
        QProcess whoami;
        whoami.start("id", { "-u" });
        whoami.waitForFinished();
        if (whoami.readAll().trimmed() != "0" || setpriv.isEmpty())
            QSKIP("needs root and setpriv to run the backup as the unprivileged user 65534");
        Bench b;
        const QString backup = b.dest("a.txt Backup.txt");
        QFile file(backup);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old");
        file.close();
        const QString source = b.source("a.txt", "new");
        const auto shell = [](const QStringList& arguments) {
            return QProcess::execute(arguments.first(), arguments.mid(1));
        };
        QCOMPARE(shell({ "chmod", "755", b.root.path() }), 0);
        QCOMPARE(shell({ "chown", "65534:65534", b.root.filePath("prog"), backup }), 0);
        if (readOnlyBackup)
            QCOMPARE(shell({ "chown", "65534:65534", b.dest() }), 0);
        QCOMPARE(shell({ "chmod", readOnlyBackup ? "444" : "644", backup }), 0);

        QProcess run;
        run.start(setpriv,
            { "--reuid=65534", "--regid=65534", "--clear-groups", QUILL_BACKUP_ONCE, b.dest(),
                b.root.filePath("prog"), source });
        QVERIFY(run.waitForFinished(30000));
        const QString errors = QString::fromUtf8(run.readAllStandardError());
        if (readOnlyBackup) {
            QCOMPARE(errors.trimmed(), errorText("Cannot write \"" + backup + "\": Permission denied", 210));
            QCOMPARE(readAll(backup), QByteArray("old"));
            QCOMPARE(b.destFiles(), QStringList { "a.txt Backup.txt" });
        } else {
            QCOMPARE(errors, QString());
            QCOMPARE(readAll(backup), QByteArray("new"));
        }
        QCOMPARE(run.exitCode(), readOnlyBackup ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestBackupRun)
#include "tst_backuprun.moc"

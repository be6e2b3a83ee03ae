#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "backupset/AddFolder.h"
#include "backupset/BackupSetIntake.h"
#include "backupset/FolderIntake.h"
#include "backupset/WildcardMatch.h"
#include "platform/EventPacer.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

namespace {

// A temporary folder tree; paths are given relative to its top.
struct Tree {
    QTemporaryDir dir;
    QString top = dir.filePath("top");

    QString path(const QString& relative) const { return relative.isEmpty() ? top : top + '/' + relative; }
    Tree& files(const QStringList& relatives)
    {
        for (const QString& relative : relatives) {
            QDir().mkpath(QFileInfo(path(relative)).path());
            QFile file(path(relative));
            file.open(QIODevice::WriteOnly);
            file.write("x");
        }
        return *this;
    }
    QStringList paths(const QStringList& relatives) const
    {
        QStringList result;
        for (const QString& relative : relatives)
            result << path(relative);
        return result;
    }
};

// The walk with real files and a clock that never moves, so no event pass happens.
struct Walk {
    LocalFileSystem files;
    FakeClock clock;
    StopRequest stop;
    ScriptedDialogs dialogs;
    BackupSetModel model;
    BackupSetIntake intake { model, dialogs };
    FolderIntakeServices services { dialogs, files, clock, stop };

    bool addTree(const QString& folder, const QString& pattern = "*.*", bool collapse = true)
    {
        EventPacer pacer(clock, stop);
        return AddFolderTree(folder, pattern, collapse, files, pacer, intake);
    }
};

} // namespace

class AddFolderTest : public QObject {
    Q_OBJECT
private slots:
    void walksBreadthFirstWithNamesSorted()
    {
        Tree tree;
        tree.files({ "b.doc", "a.txt", "README", "~temp.txt", "temp~.txt", ".hidden.txt", "B/y.txt",
            "A/a2.txt", "A/X/x.txt", "B/Y/y2.txt", ".secret/s.txt", "A/.deep/d.txt", "A/X/Deep/z.txt" });
        Walk walk;
        QVERIFY(walk.addTree(tree.top));
        const QStringList expected = tree.paths({ ".hidden.txt", "a.txt", "b.doc", "README", "temp~.txt",
            "A/a2.txt", "B/y.txt", "A/X/x.txt", "B/Y/y2.txt", "A/X/Deep/z.txt" });
        QCOMPARE(walk.model.entries(), expected);
        // The same folder again adds every file again; a trailing "/" is doubled and kept out by collapsing.
        QVERIFY(walk.addTree(tree.top + '/'));
        QCOMPARE(walk.model.entries(), expected + expected);

        QStringList oneLevel { tree.top + '/' };
        EventPacer pacer(walk.clock, walk.stop);
        QVERIFY(CollectSubfolders(oneLevel, false, walk.files, pacer));
        QCOMPARE(oneLevel, tree.paths({ "", "A", "B" }).replaceInStrings(QRegularExpression("$"), "/"));
    }

    void wildcardRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        QTest::newRow("all, no dot") << "README"
                                     << "*.*" << true;
        QTest::newRow("all, two dots") << "a.tar.gz"
                                       << "*.*" << true;
        QTest::newRow("extension") << "a.txt"
                                   << "*.txt" << true;
        QTest::newRow("letter case") << "PHOTO.JPG"
                                     << "*.jpg" << true;
        QTest::newRow("no dot, extension") << "txt"
                                           << "*.txt" << false;
        QTest::newRow("longer extension") << "a.txt.bak"
                                          << "*.txt" << false;
        QTest::newRow("question mark") << "a.tgt"
                                       << "*.t?t" << true;
        QTest::newRow("question mark is one") << "a.tt"
                                              << "*.t?t" << false;
        QTest::newRow("star inside") << "a.docx"
                                     << "*.d*" << true;
        QTest::newRow("bracket literal") << "x.[a]"
                                         << "*.[a]" << true;
        QTest::newRow("bracket no class") << "x.a"
                                          << "*.[a]" << false;
        QTest::newRow("slash") << "x.a"
                               << "*.a/b" << false;
        QTest::newRow("backtracking") << QString(60, 'a') << "*a*a*a*a*a*a*a*b" << false;
    }
    void wildcardRules()
    {
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(MatchesWildcard(name, pattern), matches);
    }

    void joiningAtTheRoot_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("collapse");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("path");
        QTest::newRow("root, collapse") << "//" << true << "/"
                                        << "/name";
        QTest::newRow("root, no collapse") << "//" << false << "/"
                                           << "//name";
        QTest::newRow("below root, collapse") << "//Sub/" << true << "/"
                                              << "/Sub/name";
        QTest::newRow("below root, no collapse") << "//Sub/" << false << "/"
                                                 << "//Sub/name";
        QTest::newRow("ordinary") << "/home/u/" << false << "/"
                                  << "/home/u/name";
        QTest::newRow("drive root") << "C:\\\\" << true << "\\"
                                    << "C:\\name";
        QTest::newRow("drive root, no collapse") << "D:\\\\Sub\\" << false << "\\"
                                                 << "D:\\\\Sub\\name";
    }
    void joiningAtTheRoot()
    {
        QFETCH(QString, entry);
        QFETCH(bool, collapse);
        QFETCH(QString, separator);
        QFETCH(QString, path);
        QCOMPARE(TreeFilePath(entry, "name", collapse, separator.at(0)), path);
    }

    void addsOnlyRegularFilesAndNeverFollowsLinkedFolders()
    {
        Tree tree;
        tree.files({ "a.txt", "Sub/b.txt" });
        QVERIFY(QFile::link(tree.top, tree.path("Sub/up"))); // a loop
        QVERIFY(QFile::link(tree.path("a.txt"), tree.path("link.txt"))); // a link to a file
        QVERIFY(QFile::link(tree.path("gone"), tree.path("dangling")));
        QVERIFY(QFile::link("/dev/null", tree.path("device")));
        if (QProcess::execute("mkfifo", { tree.path("pipe") }) != 0)
            QSKIP("mkfifo is not available to make a pipe");
        Walk walk;
        QVERIFY(walk.addTree(tree.top));
        QCOMPARE(walk.model.entries(), tree.paths({ "a.txt", "link.txt", "Sub/b.txt" }));
    }

    void unlistableFolderIsSkipped()
    {
        // Root lists any folder, so the check runs again as an unprivileged user.
        const QByteArray child = qgetenv("QUILL_UNLISTABLE_TREE");
        if (!child.isEmpty()) {
            Walk walk;
            QVERIFY(walk.addTree(QString::fromUtf8(child)));
            QCOMPARE(walk.model.entries(), QStringList { QString::fromUtf8(child) + "/Open/b.txt" });
            return;
        }
        Tree tree;
        tree.files({ "Closed/a.txt", "Open/b.txt" });
        QFile::setPermissions(tree.path("Closed"), QFile::WriteOwner);
        for (const QString& folder : { tree.dir.path(), tree.top, tree.path("Open") })
            QFile::setPermissions(folder, QFile::Permissions(0x7755));
        QFile::setPermissions(tree.path("Open/b.txt"), QFile::Permissions(0x6644));
        if (QDir(tree.path("Closed")).entryList(QDir::Files).isEmpty()) {
            Walk walk;
            QVERIFY(walk.addTree(tree.top));
            QCOMPARE(walk.model.entries(), tree.paths({ "Open/b.txt" }));
            return;
        }
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QUILL_UNLISTABLE_TREE", tree.top);
        process.setProcessEnvironment(environment);
        process.start("setpriv",
            { "--reuid=65534", "--regid=65534", "--clear-groups", "--",
                QCoreApplication::applicationFilePath(), "unlistableFolderIsSkipped" });
        if (!process.waitForStarted() || !process.waitForFinished() || process.exitCode() == 127)
            QSKIP("setpriv cannot run the check as an unprivileged user");
        QVERIFY2(process.exitCode() == 0, process.readAllStandardOutput().constData());
    }

    void eventPassesAreTimedAndAStopAddsNothing_data()
    {
        QTest::addColumn<int>("msPerReading");
        QTest::addColumn<bool>("stopped");
        QTest::newRow("clock stands still: no pass") << 0 << false;
        QTest::newRow("clock moves: passes, stop") << 100 << true;
    }
    void eventPassesAreTimedAndAStopAddsNothing()
    {
        QFETCH(int, msPerReading);
        QFETCH(bool, stopped);
        Tree tree;
        tree.files({ "a.txt", "A/b.txt", "B/c.txt" });
        Walk walk;
        walk.clock.setMonotonicStep(msPerReading);
        QTimer::singleShot(0, [&] { walk.stop.request(); });
        QCOMPARE(walk.addTree(tree.top), !stopped);
        QCOMPARE(walk.model.EntryCount(), stopped ? 0 : 3);
    }

    void fullSetTakesTheFirstFilesWithOneMessage()
    {
        Tree tree;
        tree.files({ "a.txt", "b.txt", "c.txt", "Sub/d.txt", "Sub/e.txt" });
        Walk walk;
        BackupSetModel small(nullptr, 3);
        BackupSetIntake intake(small, walk.dialogs);
        EventPacer pacer(walk.clock, walk.stop);
        QVERIFY(AddFolderTree(tree.top, "*.*", true, walk.files, pacer, intake));
        QCOMPARE(small.entries(), tree.paths({ "a.txt", "b.txt", "c.txt" }));
        QCOMPARE(walk.dialogs.messages.size(), 1);
        QVERIFY(walk.dialogs.messages.front().text.startsWith("The backup set is full"));
    }

    void commandAsksThenAddsMatchingFiles()
    {
        Tree tree;
        tree.files({ "a.txt", "B.TXT", "c.doc", "Sub/d.Txt", "notxt" });
        Walk walk;
        SettingsStore settings(tree.dir.filePath("Quillstead.ini"));
        QList<bool> busy;
        walk.dialogs.answers = { "TXT", tree.top };
        QVERIFY(AddAllFilesInFolder(walk.services, settings, walk.intake, [&](bool on) { busy << on; }));
        QCOMPARE(walk.model.entries(), tree.paths({ "a.txt", "B.TXT", "Sub/d.Txt" }));
        QCOMPARE(settings.ReadSetting("Extension", "<none>"), QString("TXT"));
        QCOMPARE(busy, (QList<bool> { true, false }));
        QCOMPARE(walk.dialogs.requests.size(), 2);
        const auto& input = walk.dialogs.requests.at(0);
        QCOMPARE(input.kind, QString("inputBox"));
        QCOMPARE(input.title, QString("Quillstead"));
        QCOMPARE(input.prompt,
            QString(
                "Enter file extension to load:\r\r(* for all files, txt for all txt files, doc for all doc "
                "files, etc.)"));
        QCOMPARE(input.defaultReply, QString("*"));
        QCOMPARE(walk.dialogs.requests.at(1).title, QString("Please select folder to add:"));

        // Cancelling either dialog adds nothing; an empty reply is not stored.
        walk.dialogs.answers = { "doc", "" };
        QVERIFY(AddAllFilesInFolder(walk.services, settings, walk.intake, [&](bool on) { busy << on; }));
        QCOMPARE(settings.ReadSetting("Extension", "<none>"), QString("doc"));
        walk.dialogs.answers = { "" };
        QVERIFY(AddAllFilesInFolder(walk.services, settings, walk.intake, [&](bool on) { busy << on; }));
        QCOMPARE(settings.ReadSetting("Extension", "<none>"), QString("doc"));
        QCOMPARE(walk.dialogs.requests.size(), 5);
        QCOMPARE(walk.model.EntryCount(), 3);
        QCOMPARE(busy.size(), 2);
    }

    void dropsAddFilesAsTheyAreAndWalkFolders()
    {
        Tree tree;
        tree.files({ "~drop.txt", "one.txt", "Dir/a.txt", "Dir/~skip.txt", "Dir/Sub/b.txt", ".hid/c.txt" });
        Walk walk;
        const QStringList dropped
            = tree.paths({ "one.txt", "Dir", "~drop.txt", "one.txt", ".hid", "gone.txt" })
            + QStringList { tree.path("Dir") + '/' };
        QVERIFY(AddDroppedPaths(dropped, walk.services, walk.intake));
        const QStringList expected
            = tree.paths({ "one.txt", "Dir/a.txt", "Dir/Sub/b.txt", "~drop.txt", "one.txt", ".hid/c.txt" })
            + QStringList { tree.path("Dir") + "//a.txt", tree.path("Dir") + "//Sub/b.txt" };
        QCOMPARE(walk.model.entries(), expected);
        QCOMPARE(walk.dialogs.messageTexts(),
            QStringList {
                tree.path("gone.txt") + "\r\rwas not added because it has bad characters in the filename." });
    }

    void onlyFileUrlsCanBeDropped()
    {
        QMimeData files;
        files.setUrls({ QUrl::fromLocalFile("/a b.txt"), QUrl::fromLocalFile("/dir") });
        QCOMPARE(DroppedFilePaths(files), (QStringList { "/a b.txt", "/dir" }));
        QMimeData mixed;
        mixed.setUrls({ QUrl::fromLocalFile("/a.txt"), QUrl("https://example.org/a.txt") });
        QVERIFY(!DroppedFilePaths(mixed));
        QMimeData text;
        text.setText("/a.txt");
        QVERIFY(!DroppedFilePaths(text));
    }
};

QTEST_GUILESS_MAIN(AddFolderTest)
#include "tst_AddFolder.moc"

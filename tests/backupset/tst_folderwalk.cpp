#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "backupset/AddFilesByDialog.h"
#include "backupset/BackupSetIntake.h"
#include "backupset/FirstNames.h"
#include "backupset/FolderIntake.h"
#include "backupset/FolderWalk.h"
#include "backupset/WildcardMatch.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"
#include "settings/Preferences.h"
#include "settings/SettingsStore.h"
#include "support/EventLoop.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <algorithm>
#include <fcntl.h>
#include <random>
#include <unistd.h>

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

// Makes a file named by bytes as given (not valid UTF-8 when asked so);
// false when the file system refuses the name.
bool makeRawFile(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

// count names, prefix and a number, in a shuffled order; without a prefix
// they sort by their number whatever their letter case.
QStringList numberedNames(int count, const QString& prefix = QString())
{
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString start = !prefix.isEmpty() ? prefix : i % 2 ? "F" : "f";
        names << start + QString("%1.txt").arg(i, 4, 10, QChar('0'));
    }
    std::shuffle(names.begin(), names.end(), std::mt19937(15));
    return names;
}

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
        return addFolderTree(folder, pattern, collapse, files, pacer, intake);
    }
};

} // namespace

class FolderWalkTest : public QObject {
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
        QCOMPARE(matchesWildcard(name, pattern), matches);
    }

    void joiningAtTheRoot_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("collapse");
        QTest::addColumn<QString>("path");
        QTest::newRow("root, collapse") << "//" << true << "/name";
        QTest::newRow("root, no collapse") << "//" << false << "//name";
        QTest::newRow("below root, collapse") << "//Sub/" << true << "/Sub/name";
        QTest::newRow("below root, no collapse") << "//Sub/" << false << "//Sub/name";
        QTest::newRow("ordinary") << "/home/u/" << false << "/home/u/name";
    }
    void joiningAtTheRoot()
    {
        QFETCH(QString, entry);
        QFETCH(bool, collapse);
        QFETCH(QString, path);
        QCOMPARE(treeFilePath(entry, "name", collapse), path);
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
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<int>("msPerReading");
        QTest::addColumn<int>("stopAtPass");
        QTest::addColumn<bool>("stopped");
        const QStringList small { "a.txt", "A/b.txt", "B/c.txt" };
        QTest::newRow("clock stands still: no pass") << small << 0 << 1 << false;
        QTest::newRow("clock moves: passes, stop") << small << 100 << 1 << true;
        // Passes come inside the folder, not only between folders.
        QTest::newRow("one large folder: stop inside it") << numberedNames(3000) << 100 << 3 << true;
    }
    void eventPassesAreTimedAndAStopAddsNothing()
    {
        QFETCH(QStringList, tree);
        QFETCH(int, msPerReading);
        QFETCH(int, stopAtPass);
        QFETCH(bool, stopped);
        Tree files;
        files.files(tree);
        Walk walk;
        walk.clock.setMonotonicStep(msPerReading);
        // A zero-interval timer fires once in every event pass.
        int passes = 0;
        QTimer passCounter;
        passCounter.setInterval(0);
        connect(&passCounter, &QTimer::timeout, [&] {
            if (++passes == stopAtPass)
                walk.stop.request();
        });
        passCounter.start();
        QCOMPARE(walk.addTree(files.top), !stopped);
        QCOMPARE(walk.model.entryCount(), stopped ? 0 : tree.size());
    }

    void walkGathersNoMoreThanTheRoom_data()
    {
        QTest::addColumn<int>("room");
        for (int room : { 0, 1, 10, 2999, 3000, 3001, 4000 })
            QTest::addRow("room %d", room) << room;
    }
    void walkGathersNoMoreThanTheRoom()
    {
        QFETCH(int, room);
        static Tree tree;
        const QStringList top = numberedNames(3000);
        if (!QFileInfo::exists(tree.top))
            tree.files(top + QStringList { "Sub/a.txt", "Sub/b;c.txt" });
        QStringList inOrder = top;
        std::sort(inOrder.begin(), inOrder.end(), walkOrder);
        const QStringList all = tree.paths(inOrder + QStringList { "Sub/a.txt" });

        Walk walk;
        EventPacer pacer(walk.clock, walk.stop);
        GatheredPaths gathered(room);
        QVERIFY(collectFolderTree(tree.top, "*.*", true, walk.files, pacer, walk.intake, gathered));
        QCOMPARE(gathered.paths(), all.mid(0, room));
        QCOMPARE(gathered.firstBeyondRoom(), room < all.size() ? std::optional(all.at(room)) : std::nullopt);
        // Once the top folder went beyond the room, Sub was never read: its odd name is not told.
        walk.intake.addAll(gathered);
        const QString oddName = tree.path("Sub/b;c.txt");
        QCOMPARE(walk.dialogs.messageTexts().filter(oddName).size(), room >= 3000 ? 1 : 0);
    }

    void firstNamesHoldNoMoreThanTheirLimit_data()
    {
        QTest::addColumn<int>("limit");
        for (int limit : { 0, 1, 7, 100, 150 })
            QTest::addRow("limit %d", limit) << limit;
    }
    void firstNamesHoldNoMoreThanTheirLimit()
    {
        QFETCH(int, limit);
        const QStringList offered = numberedNames(100);
        FirstNames first(limit);
        qsizetype mostHeld = 0;
        for (const QString& name : offered) {
            first.offer(name);
            mostHeld = std::max(mostHeld, first.held());
        }
        QVERIFY(mostHeld <= limit);
        QCOMPARE(first.offered(), 100);
        QStringList sorted = offered;
        std::sort(sorted.begin(), sorted.end(), walkOrder);
        QCOMPARE(first.takeSorted().value(), sorted.mid(0, limit));
    }

    void fullSetTakesTheFirstFilesWithOneMessage()
    {
        Tree tree;
        tree.files({ "a.txt", "b.txt", "c.txt", "Sub/d.txt", "Sub/e.txt" });
        Walk walk;
        BackupSetModel small(nullptr, 3);
        BackupSetIntake intake(small, walk.dialogs);
        EventPacer pacer(walk.clock, walk.stop);
        QVERIFY(addFolderTree(tree.top, "*.*", true, walk.files, pacer, intake));
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
        Preferences preferences(settings);
        QList<bool> busy;
        walk.dialogs.answers = { "TXT", tree.top };
        QVERIFY(addAllFilesInFolder(walk.services, preferences, walk.intake, [&](bool on) { busy << on; }));
        QCOMPARE(walk.model.entries(), tree.paths({ "a.txt", "B.TXT", "Sub/d.Txt" }));
        QCOMPARE(settings.value("Extension", "<none>"), QString("TXT"));
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
        QVERIFY(addAllFilesInFolder(walk.services, preferences, walk.intake, [&](bool on) { busy << on; }));
        QCOMPARE(settings.value("Extension", "<none>"), QString("doc"));
        walk.dialogs.answers = { "" };
        QVERIFY(addAllFilesInFolder(walk.services, preferences, walk.intake, [&](bool on) { busy << on; }));
        QCOMPARE(settings.value("Extension", "<none>"), QString("doc"));
        QCOMPARE(walk.dialogs.requests.size(), 5);
        QCOMPARE(walk.model.entryCount(), 3);
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
        QVERIFY(addDroppedPaths(dropped, walk.services, walk.intake));
        const QStringList expected
            = tree.paths({ "one.txt", "Dir/a.txt", "Dir/Sub/b.txt", "~drop.txt", "one.txt", ".hid/c.txt" })
            + QStringList { tree.path("Dir") + "//a.txt", tree.path("Dir") + "//Sub/b.txt" };
        QCOMPARE(walk.model.entries(), expected);
        QCOMPARE(walk.dialogs.messageTexts(),
            QStringList {
                tree.path("gone.txt") + "\r\rwas not added because it has bad characters in the filename." });
    }

    void namesLeftOutAreToldInOneMessage_data()
    {
        QTest::addColumn<QString>("intake");
        QTest::addColumn<int>("semicolonNames");
        QTest::addColumn<int>("rawNames");
        QTest::addColumn<QString>("message"); // %T stands for the top folder
        const QString semicolon = "\r\r\";\" cannot be stored in the backup set.";
        const QString several
            = " files were not added because they have bad characters in their filenames:\r\r";
        QTest::newRow("walk, one")
            << "walk" << 1 << 0
            << "%T/x;0000.txt\r\rwas not added because \";\" cannot be stored in the backup set.";
        QTest::newRow("walk, several")
            << "walk" << 3 << 0 << "3" + several + "%T/x;0000.txt\r%T/x;0001.txt\r%T/x;0002.txt" + semicolon;
        QTest::newRow("walk, many") << "walk" << 300 << 0
                                    << "300" + several
                + "%T/x;0000.txt\r%T/x;0001.txt\r%T/x;0002.txt\r%T/x;0003.txt\r%T/x;0004.txt\rand 295 more."
                + semicolon;
        QTest::newRow("walk, not UTF-8")
            << "walk" << 0 << 1
            << "%T/raw\uFFFD0.txt\r\rwas not added because it has bad characters in "
               "the filename.";
        QTest::newRow("walk, both kinds") << "walk" << 2 << 2
                                          << "4" + several
                + "%T/raw\uFFFD0.txt\r%T/raw\uFFFD1.txt\r%T/x;0000.txt\r%T/x;0001.txt" + semicolon;
        // The dropped folder's names and a vanished dropped file share the one message.
        QTest::newRow("drop") << "drop" << 300 << 1
                              << "302" + several
                + "%T/raw\uFFFD0.txt\r%T/x;0000.txt\r%T/x;0001.txt\r%T/x;0002.txt\r%T/x;0003.txt\rand 297 "
                  "more."
                + semicolon;
        QTest::newRow("dialog") << "dialog" << 3 << 1
                                << "4" + several
                + "%T/raw\uFFFD0.txt\r%T/x;0000.txt\r%T/x;0001.txt\r%T/x;0002.txt" + semicolon;
    }
    void namesLeftOutAreToldInOneMessage()
    {
        QFETCH(QString, intake);
        QFETCH(int, semicolonNames);
        QFETCH(int, rawNames);
        QFETCH(QString, message);
        Tree tree;
        tree.files(numberedNames(semicolonNames, "x;") + QStringList { "good.txt" });
        QStringList picked { tree.path("good.txt") };
        QList<QByteArray> rawPaths;
        // Qt cannot remove such names itself.
        const auto removeRaw = qScopeGuard([&] {
            for (const QByteArray& path : std::as_const(rawPaths))
                ::unlink(path.constData());
        });
        for (int i = 0; i < rawNames; ++i) {
            rawPaths << QFile::encodeName(tree.top) + "/raw\xE9" + QByteArray::number(i) + ".txt";
            if (!makeRawFile(rawPaths.back()))
                QSKIP("the file system refuses names that are not valid UTF-8");
            picked << tree.path(QString("raw\uFFFD%1.txt").arg(i));
        }
        for (int i = 0; i < semicolonNames; ++i)
            picked << tree.path(QString("x;%1.txt").arg(i, 4, 10, QChar('0')));

        Walk walk;
        if (intake == "walk") {
            QVERIFY(walk.addTree(tree.top));
        } else if (intake == "drop") {
            QVERIFY(addDroppedPaths({ tree.top, tree.path("gone.txt") }, walk.services, walk.intake));
        } else {
            walk.dialogs.pickedFiles << picked;
            addFilesByDialog(walk.dialogs, walk.files, walk.intake);
        }
        QCOMPARE(walk.model.entries(), QStringList { tree.path("good.txt") });
        QCOMPARE(walk.dialogs.messageTexts(), QStringList { QString(message).replace("%T", tree.top) });
    }

    void onlyFileUrlsCanBeDropped()
    {
        QMimeData files;
        files.setUrls({ QUrl::fromLocalFile("/a b.txt"), QUrl::fromLocalFile("/dir") });
        QCOMPARE(droppedFilePaths(files), (QStringList { "/a b.txt", "/dir" }));
        QMimeData mixed;
        mixed.setUrls({ QUrl::fromLocalFile("/a.txt"), QUrl("https://example.org/a.txt") });
        QVERIFY(!droppedFilePaths(mixed));
        QMimeData text;
        text.setText("/a.txt");
        QVERIFY(!droppedFilePaths(text));
    }
};

QTEST_GUILESS_MAIN(FolderWalkTest)
#include "tst_folderwalk.moc"

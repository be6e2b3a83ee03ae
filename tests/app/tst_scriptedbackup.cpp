#include "ProgramFixture.h"
#include "TestFiles.h"
#include "app/ScriptedBackup.h"
#include "platform/SingleInstance.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <future>

namespace {

// The real program copied into a program folder of its own, with settings,
// runtime and data folders of its own, started as a script would.
struct Script {
    QTemporaryDir root;
    QString program = root.filePath("prog/quillstead");

    Script()
    {
        for (const char* folder : { "prog", "config", "data", "home", "docs", "dest", "run" })
            QDir().mkpath(root.filePath(folder));
        QFile::setPermissions(root.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::copy(QUILLSTEAD_PROGRAM, program);
    }
    QString settingsFile() const { return root.filePath("config/Brookmere/Quillstead.ini"); }
    void store(const QStringList& lines)
    {
        QDir().mkpath(QFileInfo(settingsFile()).path());
        write(settingsFile(), ("[Quillstead]\n" + lines.join('\n') + "\n").toUtf8());
    }
    // Exit status and what it wrote to stderr.
    std::pair<int, QString> backUpNow()
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY" })
            environment.remove(name);
        environment.insert("XDG_CONFIG_HOME", root.filePath("config"));
        environment.insert("XDG_DATA_HOME", root.filePath("data"));
        environment.insert("XDG_RUNTIME_DIR", root.filePath("run"));
        environment.insert("HOME", root.filePath("home"));
        // No logind of the machine's: the run holds sleep off from nothing.
        environment.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + root.filePath("run/no-bus"));
        environment.insert("LSAN_OPTIONS", "suppressions=" QUILL_LSAN_SUPPRESSIONS);
        process.setProcessEnvironment(environment);
        process.start(program, { "--backup-now" });
        if (!process.waitForFinished(120000))
            return { -1, "did not end" };
        return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError()) };
    }
};

} // namespace

class TestScriptedBackup : public QObject {
    Q_OBJECT

private slots:
    // What a script is told: 0 every file backed up or unchanged, 1 some
    // failed, 2 nothing could run; each failure a line on stderr.
    void exitStatusAndFailureLines_data()
    {
        QTest::addColumn<QString>("files"); // below docs/, ";" between
        QTest::addColumn<QString>("path"); // the fixed folder, below the root
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("every file backed up") << "a.txt"
                                              << "dest" << 0 << "";
        QTest::newRow("one file missing") << "a.txt;gone.txt"
                                          << "dest" << 1 << "gone.txt could not be backed up at";
        QTest::newRow("no files") << ""
                                  << "dest" << 2 << "No files added to backup.";
        QTest::newRow("the backup folder missing") << "a.txt"
                                                   << "usb" << 2 << "1 file could not be backed up at";
    }
    void exitStatusAndFailureLines()
    {
        QFETCH(QString, files);
        QFETCH(QString, path);
        Script s;
        QString stored;
        for (const QString& name : files.split(';', Qt::SkipEmptyParts)) {
            if (name != "gone.txt")
                write(s.root.filePath("docs/" + name), "data");
            stored += s.root.filePath("docs/" + name) + ";";
        }
        s.store({ "Files=" + stored, "WhereOption=1", "Include Date=Off",
            "Path=" + s.root.filePath(path) + "/" });
        const auto [status, err] = s.backUpNow();
        QTEST(status, "status");
        QFETCH(QString, firstLine);
        if (firstLine.isEmpty())
            QCOMPARE(err, QString());
        else
            QVERIFY2(err.startsWith(firstLine), qPrintable(err));
        if (status == 0) {
            QCOMPARE(readAll(s.root.filePath("dest/a.txt Backup.txt")), QByteArray("data"));
            QVERIFY(readAll(s.root.filePath("prog/history.txt")).startsWith("a.txt was backup saved at "));
        }
    }

    // With the window running, the running copy makes the run and answers.
    void aRequestGoesThroughTheRunningCopy()
    {
        ProgramFixture p;
        QDir().mkpath(p.root.filePath("dest"));
        p.store("WhereOption", "1");
        p.store("Include Date", "Off");
        p.store("Path", p.root.filePath("dest") + "/");
        p.store("Files", p.file("a.txt") + ";" + p.root.filePath("docs/gone.txt") + ";");
        p.start();
        QTemporaryDir runtime;
        SingleInstance instance(runtime.path(), "q");
        QVERIFY(instance.claim());
        QObject::connect(
            &instance, &SingleInstance::requestReceived, p.window.get(), &MainWindow::answerRequest);
        auto reply = std::async(std::launch::async,
            [&] { return SingleInstance::ask(runtime.path(), "q", "backup now", 60000); });
        QTRY_VERIFY_WITH_TIMEOUT(reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready, 60000);
        const std::optional<QByteArray> bytes = reply.get();
        QVERIFY(bytes);
        const ScriptAnswer answer = ScriptAnswer::decoded(*bytes);
        QCOMPARE(answer.status, int(ScriptAnswer::SomeFailed));
        QCOMPARE(answer.lines.size(), 1);
        QVERIFY2(answer.lines[0].startsWith("gone.txt could not be backed up at 12/6/2026 9:05:03 PM: "),
            qPrintable(answer.lines[0]));
        QVERIFY(p.dialogs.messages.isEmpty()); // no box waits for a click
        QCOMPARE(readAll(p.root.filePath("dest/a.txt Backup.txt")), QByteArray("data"));
    }

    void answersSurviveTheirWay_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("lines");
        QTest::newRow("all backed up") << QByteArray("0\n") << 0 << 0;
        QTest::newRow("two failures") << QByteArray("1\nx could not\ny could not\n") << 1 << 2;
        QTest::newRow("nothing at all: nothing ran") << QByteArray() << 2 << 1;
        QTest::newRow("garbled") << QByteArray("yes\n") << 2 << 1;
        QTest::newRow("a status out of range") << QByteArray("7\n") << 2 << 1;
    }
    void answersSurviveTheirWay()
    {
        QFETCH(QByteArray, bytes);
        const ScriptAnswer answer = ScriptAnswer::decoded(bytes);
        QTEST(answer.status, "status");
        QTEST(int(answer.lines.size()), "lines");
        if (answer.status != ScriptAnswer::NothingRan || bytes.startsWith("2"))
            QCOMPARE(ScriptAnswer::decoded(answer.encoded()).lines, answer.lines);
    }
};

QTEST_MAIN(TestScriptedBackup)
#include "tst_scriptedbackup.moc"

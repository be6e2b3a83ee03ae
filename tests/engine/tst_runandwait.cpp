#include "engine/Archiver.h"
#include "engine/RunAndWait.h"
#include "platform/StopRequest.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestRunAndWait : public QObject {
    Q_OBJECT

private slots:
    void commandLineText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the archiver's line as written for Windows")
            << ::commandLineText(
                   { "C:\\Prog\\7za.exe", { "a", "D:\\Backup\\Backup.zip", "@C:\\Prog\\list.txt" } })
            << "\"C:\\Prog\\7za.exe\" a \"D:\\Backup\\Backup.zip\" @\"C:\\Prog\\list.txt\"";
        QTest::newRow("the call this program makes")
            << ::commandLineText(archiverCall("/opt/my prog", "/d/.Backup.zip.part", "/opt/my prog/list.txt"))
            << "\"/opt/my prog/7za\" a -tzip -spd -scsUTF-8 -sccUTF-8 -bso0 -bsp1 -y \"/d/.Backup.zip.part\" "
               "@\"/opt/my prog/list.txt\"";
        QTest::newRow("quotes inside")
            << ::commandLineText({ "/bin/x", { "say \"hi\"" } }) << "\"/bin/x\" \"say \\\"hi\\\"\"";
    }
    void commandLineText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    // Every argument must reach the program as it is: no shell ever sees it.
    void argumentsArriveIntact()
    {
        const QStringList awkward { "two words", "quote\"d", "it's", "$HOME", "`id`", "-rf", "*",
            "grüße 日本", "a;b|c>d", "" };
        const RunResult ran = runAndWait({ "/usr/bin/printf", QStringList { "[%s]\\n" } + awkward });
        QCOMPARE(ran.end, RunResult::End::Exited);
        QCOMPARE(ran.result, 0);
        QString expected;
        for (const QString& argument : awkward)
            expected += u'[' + argument + QStringLiteral("]\n");
        QCOMPARE(ran.output, expected);
    }

    void environmentIsAddedToOurs()
    {
        const RunResult ran = runAndWait({ "/usr/bin/env", {}, { "LC_ALL=C.UTF-8", "QUILL_PROBE=a=b c" } });
        const QStringList lines = ran.output.split(u'\n');
        QVERIFY(lines.contains("LC_ALL=C.UTF-8"));
        QVERIFY(lines.contains("QUILL_PROBE=a=b c"));
        QVERIFY(lines.contains("HOME=" + qEnvironmentVariable("HOME")));
    }

    // The code comes back once the program has ended, not before: the file it
    // writes just before exiting is there. The caller's work runs during the wait.
    void exitCodeAfterTheEnd()
    {
        QTemporaryDir dir;
        const QString marker = dir.filePath("ended");
        int sawItRunning = 0;
        const RunResult ran
            = runAndWait({ "/bin/sh", { "-c", "sleep 0.3; echo x > \"$1\"; exit 2", "sh", marker } }, nullptr,
                [&] { sawItRunning += QFile::exists(marker) ? 0 : 1; });
        QCOMPARE(ran.end, RunResult::End::Exited);
        QCOMPARE(ran.result, 2);
        QVERIFY(QFile::exists(marker));
        QVERIFY(sawItRunning >= 1);
    }

    void startFailuresAreNegative_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("errorNumber");
        QTest::newRow("missing") << "/nonexistent/7za" << 2;
        QTest::newRow("not executable") << "plain file" << 13;
        QTest::newRow("empty") << "" << 2;
    }
    void startFailuresAreNegative()
    {
        QFETCH(QString, program);
        QFETCH(int, errorNumber);
        QTemporaryDir dir;
        if (program == "plain file") {
            program = dir.filePath(program);
            QFile file(program);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        timer.start(0);
        const RunResult ran = runAndWait({ program, { "a" } });
        QCOMPARE(ran.end, RunResult::End::NotStarted);
        QCOMPARE(ran.result, StartFailureBase + errorNumber);
        QVERIFY(ran.result < 0);
        QVERIFY(!ran.failure.isEmpty());
        QCOMPARE(ticks, 0); // returned at once, no wait
    }

    void killedBySignalIsNotSuccess()
    {
        const RunResult ran = runAndWait({ "/bin/sh", { "-c", "kill -9 $$" } });
        QCOMPARE(ran.end, RunResult::End::Killed);
        QCOMPARE(ran.result, 128 + 9);
        QVERIFY(ran.failure.contains("signal 9"));
    }

    // Shutdown raises the stop flag while events run during the wait; the
    // program is killed and the call returns without waiting for it.
    void stopKillsTheProgram()
    {
        QTemporaryDir dir;
        const QString pidFile = dir.filePath("pid");
        StopRequest stop;
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            if (++ticks == 3)
                stop.request();
        });
        timer.start(50);
        const RunResult ran
            = runAndWait({ "/bin/sh", { "-c", "echo $$ > \"$1\"; exec sleep 30", "sh", pidFile } }, &stop);
        QCOMPARE(ran.end, RunResult::End::Stopped);
        QCOMPARE(ticks, 3);
        QFile file(pidFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pid = file.readAll().trimmed();
        QVERIFY(!pid.isEmpty());
        QVERIFY2(!QFile::exists("/proc/" + pid), "the program still runs");
    }
};

QTEST_GUILESS_MAIN(TestRunAndWait)
#include "tst_runandwait.moc"

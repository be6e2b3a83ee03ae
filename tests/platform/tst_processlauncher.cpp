#include "StandInOpener.h"
#include "platform/ProcessLauncher.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestProcessLauncher : public QObject {
    Q_OBJECT
private slots:
    void targetArrivesAsOneArgument()
    {
        const StandInOpener opener("");
        const QString target = QStringLiteral("/data/My \"Backups\" $(rm -rf ~); 'é'/");
        ProcessLauncher launcher;
        QVERIFY(opener.open(launcher, target));
        QTRY_COMPARE(opener.arguments(), "1|" + target + "|");
    }

    void missingOpenerIsReportedWithTheCommand()
    {
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(empty.path()));
        ProcessLauncher launcher;
        int ends = 0;
        const LaunchResult result
            = launcher.openWithDefaultProgram("/data/backups/", [&](const LaunchResult&) { ++ends; });
        qputenv("PATH", path);
        QVERIFY(!result);
        QVERIFY2(result.description.startsWith("Cannot start \"xdg-open /data/backups/\": "),
            qPrintable(result.description));
        QVERIFY(result.description.size() > QString("Cannot start \"xdg-open /data/backups/\": ").size());
        QTest::qWait(50);
        QCOMPARE(ends, 0);
    }

    void endIsToldWithTheOpenersReason_data()
    {
        QTest::addColumn<QByteArray>("body"); // the stand-in's end
        QTest::addColumn<QString>("told"); // "" for success
        QTest::newRow("success") << QByteArray("exit 0\n") << "";
        QTest::newRow("success with chatter on stderr")
            << QByteArray("echo 'Gtk-WARNING: no theme' >&2\n") << "";
        QTest::newRow("action failed, its last line")
            << QByteArray("echo 'looking...' >&2; printf \"xdg-open: no method available for opening "
                          "'/f'\\n\\n  \\n\" "
                          ">&2; exit 4\n")
            << "\"xdg-open /f\" ended with status 4: xdg-open: no method available for opening '/f'";
        QTest::newRow("1 without a line")
            << QByteArray("exit 1\n") << "\"xdg-open /f\" ended with status 1: error in command line syntax";
        QTest::newRow("2 without a line") << QByteArray("exit 2\n")
                                          << "\"xdg-open /f\" ended with status 2: one of the files passed "
                                             "on the command line did not exist";
        QTest::newRow("3 without a line") << QByteArray(
            "exit 3\n") << "\"xdg-open /f\" ended with status 3: a required tool could not be found";
        QTest::newRow("4 without a line")
            << QByteArray("exit 4\n") << "\"xdg-open /f\" ended with status 4: the action failed";
        QTest::newRow("a status of its own")
            << QByteArray("exit 9\n") << "\"xdg-open /f\" ended with status 9: it gave no reason";
    }

    void endIsToldWithTheOpenersReason()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, told);
        const StandInOpener opener(body);
        ProcessLauncher launcher;
        QList<LaunchResult> ends;
        QVERIFY(opener.open(launcher, "/f", [&](const LaunchResult& end) { ends.append(end); }));
        QTRY_COMPARE(ends.size(), 1);
        QCOMPARE(bool(ends[0]), told.isEmpty());
        QCOMPARE(ends[0].description, told);
    }

    void killedOpenerIsToldAsStopped()
    {
        const StandInOpener opener("kill -9 $$\n");
        ProcessLauncher launcher;
        QList<LaunchResult> ends;
        QVERIFY(opener.open(launcher, "/f", [&](const LaunchResult& end) { ends.append(end); }));
        QTRY_COMPARE(ends.size(), 1);
        QVERIFY(!ends[0]);
        QVERIFY2(
            ends[0].description.startsWith("\"xdg-open /f\" stopped: "), qPrintable(ends[0].description));
    }
};

QTEST_GUILESS_MAIN(TestProcessLauncher)
#include "tst_processlauncher.moc"

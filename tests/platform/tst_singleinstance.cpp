#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// This test started again as "--hold FOLDER NAME" takes the lock there, says
// "held" and runs until it is killed: another process, as a real copy is.
int holdTheLock(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    SingleInstance instance(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (!instance.claim())
        return 1;
    std::puts("held");
    std::fflush(stdout);
    return application.exec();
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    // Also where the socket's path is longer than a local socket takes.
    void aSecondCopyIsRefusedAndKnocks_data()
    {
        QTest::addColumn<int>("depth");
        QTest::newRow("a short path") << 0;
        QTest::newRow("a path too long for a socket") << 4;
    }
    void aSecondCopyIsRefusedAndKnocks()
    {
        QFETCH(int, depth);
        QTemporaryDir root;
        QString folder = root.path();
        for (int i = 0; i < depth; ++i)
            folder += "/" + QString(30, QChar(u'a' + i));
        QVERIFY(QDir().mkpath(folder));
        SingleInstance first(folder, "q");
        QVERIFY(first.claim());
        QSignalSpy knocks(&first, &SingleInstance::anotherStartRequested);
        {
            SingleInstance second(folder, "q");
            QVERIFY(!second.claim());
        }
        QVERIFY(knocks.wait(30000));
        QCOMPARE(knocks.size(), 1);
        SingleInstance otherDisplay(folder, "q-other");
        QVERIFY(otherDisplay.claim());
    }

    // A copy killed with -9 leaves its lock file and its socket behind; the
    // next start must take both over.
    void aKilledCopyDoesNotBlockTheNextStart()
    {
        QTemporaryDir dir;
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), { "--hold", dir.path(), "q" });
        QVERIFY(holder.waitForReadyRead(30000));
        QCOMPARE(holder.readLine(), QByteArray("held\n"));
        {
            SingleInstance whileItRuns(dir.path(), "q");
            QVERIFY(!whileItRuns.claim());
        }

        ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
        QVERIFY(holder.waitForFinished(30000));
        QVERIFY(QFile::exists(dir.filePath("q.lock")) && QFile::exists(dir.filePath("q.socket")));
        SingleInstance next(dir.path(), "q");
        QVERIFY(next.claim());
        QSignalSpy knocks(&next, &SingleInstance::anotherStartRequested);
        SingleInstance later(dir.path(), "q");
        QVERIFY(!later.claim());
        QVERIFY(knocks.wait(30000)); // listening on the socket the killed copy left
    }

    void sessionNameIsPerUserAndDisplay_data()
    {
        QTest::addColumn<QStringList>("displays"); // WAYLAND_DISPLAY, DISPLAY
        QTest::addColumn<QString>("inName");
        QTest::newRow("X, a screen of it") << QStringList { "", ":0.1" } << "_0";
        QTest::newRow("Wayland before X") << QStringList { "wayland-1", ":0" } << "wayland-1";
        QTest::newRow("no display") << QStringList { "", "" } << "none";
    }
    void sessionNameIsPerUserAndDisplay()
    {
        QFETCH(QStringList, displays);
        QFETCH(QString, inName);
        const QByteArray oldWayland = qgetenv("WAYLAND_DISPLAY");
        const QByteArray oldX11 = qgetenv("DISPLAY");
        qputenv("WAYLAND_DISPLAY", displays.at(0).toLocal8Bit());
        qputenv("DISPLAY", displays.at(1).toLocal8Bit());
        const QString name = SingleInstance::sessionName();
        qputenv("WAYLAND_DISPLAY", oldWayland);
        qputenv("DISPLAY", oldX11);
        QCOMPARE(name, QStringLiteral("quillstead-%1-%2").arg(::getuid()).arg(inName));
    }

    // The program itself: started while a copy runs, it ends at once with
    // status 0 and leaves the running copy alone.
    void theProgramStartedTwiceEndsTheSecondStart()
    {
        QTemporaryDir runtime; // short enough for a socket's name
        QVERIFY(
            QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("LSAN_OPTIONS", "suppressions=" QUILL_LSAN_SUPPRESSIONS);
        const auto start = [&](QProcess& program) {
            program.setProcessEnvironment(environment);
            program.setProcessChannelMode(QProcess::ForwardedChannels);
            program.start(QUILLSTEAD_PROGRAM, QStringList());
            QVERIFY(program.waitForStarted(30000));
        };
        QProcess first;
        start(first);
        const QString socket = runtime.filePath(SingleInstance::sessionName() + ".socket");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket) || first.state() == QProcess::NotRunning, 60000);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess second;
        start(second);
        QVERIFY2(second.waitForFinished(60000), "the second start went on running");
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate();
        QVERIFY(first.waitForFinished(60000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
    }
};

int main(int argc, char* argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--hold") == 0)
        return holdTheLock(argc, argv);
    QCoreApplication application(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"

#include "ProgramFixture.h"
#include "platform/SleepInhibitor.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

// A private bus of its own, and on it, when asked, a stand-in for logind
// that tells what it was asked and when the hold went.
struct Bus {
    QProcess daemon;
    QProcess logind;
    QString address;
    QString whyNot;

    explicit Bus(bool withLogind)
    {
        const QString program = QStandardPaths::findExecutable("dbus-daemon");
        if (program.isEmpty()) {
            whyNot = "needs dbus-daemon (Debian package dbus) for a private bus";
            return;
        }
        daemon.start(program, { "--session", "--nofork", "--print-address=1" });
        if (!daemon.waitForReadyRead(10000)) {
            whyNot = "dbus-daemon did not start a bus";
            return;
        }
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        if (withLogind) {
            logind.start(QUILL_FAKE_LOGIND, { address });
            if (!logind.waitForReadyRead(10000) || logind.readLine() != "ready\n")
                whyNot = "the stand-in logind did not start";
        }
    }
    ~Bus()
    {
        QDBusConnection::disconnectFromBus("test");
        for (QProcess* process : { &logind, &daemon }) {
            process->kill();
            process->waitForFinished();
        }
    }
    QDBusConnection connection() const { return QDBusConnection::connectToBus(address, "test"); }
    // The stand-in's next line.
    QByteArray said()
    {
        if (!logind.canReadLine() && !logind.waitForReadyRead(10000))
            return "<nothing>";
        return logind.readLine().trimmed();
    }
};

} // namespace

class TestSleepInhibitor : public QObject {
    Q_OBJECT

private slots:
    // Sleep waits (mode "delay") while a hold lasts; the hold goes with it.
    void holdsSleepOffAndLetsGo()
    {
        Bus bus(true);
        if (!bus.whyNot.isEmpty())
            QSKIP(qPrintable(bus.whyNot));
        SleepInhibitor inhibitor(bus.connection());
        QVERIFY(inhibitor.hold("Backing up files"));
        QCOMPARE(bus.said(), QByteArray("inhibit sleep Quillstead Backing up files delay"));
        inhibitor.release();
        QCOMPARE(bus.said(), QByteArray("released"));
    }

    // Without logind on the bus nothing is held, and nothing waits long.
    void withoutLogindNothingIsHeld()
    {
        Bus bus(false);
        if (!bus.whyNot.isEmpty())
            QSKIP(qPrintable(bus.whyNot));
        SleepInhibitor inhibitor(bus.connection());
        QVERIFY(!inhibitor.hold("Backing up files"));
        QVERIFY(!inhibitor.isHeld());
        SleepInhibitor noBus { QDBusConnection("none") };
        QVERIFY(!noBus.hold("Backing up files"));
    }

    // A run holds sleep off from its start to its end, and only a run does.
    void aRunHoldsSleepOff()
    {
        Bus bus(true);
        if (!bus.whyNot.isEmpty())
            QSKIP(qPrintable(bus.whyNot));
        SleepInhibitor inhibitor(bus.connection());
        ProgramFixture p;
        p.sleepInhibitor = &inhibitor;
        p.store("Files", p.file("a.txt") + ";");
        p.store("WhereOption", "2");
        p.store("Include Date", "Off");
        p.start();
        QVERIFY(!bus.logind.waitForReadyRead(500)); // start-up holds nothing
        QVERIFY(p.window->backupTrigger().runBackup(BackupTrigger::Kind::Test));
        QVERIFY(QFile::exists(p.root.filePath("docs/a.txt Backup.txt")));
        QCOMPARE(bus.said(), QByteArray("inhibit sleep Quillstead Backing up files delay"));
        QCOMPARE(bus.said(), QByteArray("released"));
        QVERIFY(!inhibitor.isHeld());
    }
};

QTEST_MAIN(TestSleepInhibitor)
#include "tst_sleepinhibitor.moc"

#include "FakeClock.h"
#include "schedule/AutoBackupSchedule.h"
#include "schedule/BackupTrigger.h"
#include "settings/Preferences.h"
#include "settings/SettingsStore.h"

#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

namespace {

// Counts runs; `during` stands for whatever happens while the real run works.
class FakeTrigger : public BackupTrigger {
public:
    bool isRunning() const override { return running; }
    std::optional<RunOutcome> runBackup(Kind) override
    {
        if (running)
            return std::nullopt;
        running = true;
        ++runs;
        if (during)
            during();
        running = false;
        return outcome;
    }
    bool destinationIsBack() const override { return driveBack; }
    bool running = false;
    int runs = 0;
    std::function<void()> during;
    RunOutcome outcome; // what each run ends with
    bool driveBack = false;
};

const QString complete = "Auto Backup Complete at 12/6/2026 9:05:03 PM";

// The window's part of the schedule: real widgets, a real INI file, fake clock and run.
struct Window {
    explicit Window(int oftenIndex)
    {
        host.resize(400, 400);
        intervalList.setParent(&host);
        intervalList.setGeometry(0, 0, 400, 300);
        schedule.fillIntervalList();
        schedule.selectInterval(oftenIndex);
        host.show();
    }
    QString status() const { return statusFrame.title(); }
    QString stored(const QString& key) const { return settings.value(key, "<none>"); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            schedule.tick();
    }
    void clickRow(int index, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect rect = intervalList.visualItemRect(intervalList.topLevelItem(index - 1));
        QTest::mouseClick(intervalList.viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    // Runs `job` at the tick's next pass through the event loop.
    void atNextEventPass(std::function<void()> job) { QTimer::singleShot(0, &host, job); }

    QTemporaryDir dir;
    SettingsStore settings { dir.filePath("settings.ini") };
    Preferences preferences { settings };
    FakeTrigger trigger;
    FakeClock clock;
    QWidget host;
    QTreeWidget intervalList;
    QPushButton autoBackupButton { "Turn On Auto Backup" };
    QProgressBar countdownBar;
    QGroupBox statusFrame { "Next backup will occur in 00:00:00" };
    QTimer countdownTimer;
    AutoBackupSchedule schedule { { &intervalList, &autoBackupButton, &countdownBar, &statusFrame,
                                      &countdownTimer },
        preferences, trigger, clock, QLocale(QLocale::English, QLocale::UnitedStates) };
};

} // namespace

class AutoBackupScheduleTest : public QObject {
    Q_OBJECT

private slots:
    void captionsAroundARun_data()
    {
        QTest::addColumn<QString>("runCaption");
        QTest::newRow("files copied") << complete;
        QTest::newRow("empty backup set") << "No files added to backup.";
    }
    // The timer: each timeout is a tick that shows the countdown; the due
    // one runs the backup between the captions of a run.
    void captionsAroundARun()
    {
        QFETCH(QString, runCaption);
        Window w(1);
        w.schedule.applySwitch(true);
        // One real tick of the timer, soon.
        QObject::connect(&w.countdownTimer, &QTimer::timeout, &w.countdownTimer, &QTimer::stop);
        w.countdownTimer.setInterval(1);
        QTRY_VERIFY(!w.countdownTimer.isActive());
        QCOMPARE(w.status(), "Next backup will occur in 00:04:59");
        QCOMPARE(w.countdownBar.maximum(), 300);
        w.ticks(298);
        QStringList seen;
        w.atNextEventPass([&] {
            seen << w.status(); // before the run starts
            w.atNextEventPass([&] { seen << w.status(); });
        });
        w.trigger.during = [&] {
            seen << w.status();
            w.statusFrame.setTitle(runCaption);
            w.atNextEventPass([&] { seen << w.status(); }); // after the run returns
        };
        w.ticks(1);
        const QStringList expected { "Next backup will occur in 00:00:00",
            "Backup is running in background...", "Backup is running in background...", complete };
        QCOMPARE(seen, expected);
        QCOMPARE(w.status(), "Next backup will occur in 00:00:00");
    }

    // The list: a click, on the row already chosen too, or a choice by
    // keyboard stores the position and restarts the countdown; with no row
    // selected it rests and stores nothing.
    void choosingAnIntervalRestartsTheCountdown()
    {
        Window w(1);
        w.schedule.applySwitch(true);
        w.ticks(100);
        w.clickRow(2);
        QCOMPARE(w.stored("OftenIndex"), "2");
        w.ticks(1);
        QCOMPARE(w.status(), "Next backup will occur in 00:09:59");
        w.ticks(9);
        w.clickRow(2); // the row already chosen restarts it too
        w.ticks(1);
        QCOMPARE(w.status(), "Next backup will occur in 00:09:59");
        // A choice by keyboard restarts it as well; a count of 500 would never meet 300.
        w.ticks(499);
        QTest::keyClick(&w.intervalList, Qt::Key_Up);
        QCOMPARE(w.stored("OftenIndex"), "1");
        w.ticks(300);
        QCOMPARE(w.trigger.runs, 1);

        w.clickRow(1, Qt::ControlModifier); // deselects the only selected row
        QCOMPARE(w.intervalList.selectedItems().size(), 0);
        w.ticks(400);
        QCOMPARE(w.trigger.runs, 1);
        QCOMPARE(w.status(), "Next backup will occur in 00:00:00");
        QCOMPARE(w.countdownBar.value(), 0);
        QCOMPARE(w.stored("OftenIndex"), "1");
    }

    // The button: a click switches the countdown off (caption, bar and count
    // stay) or on (from the start), and stores the switch.
    void switchingOffKeepsTheCaptionAndOnRestarts()
    {
        Window w(1);
        w.schedule.applySwitch(true);
        w.ticks(10);
        QTest::mouseClick(&w.autoBackupButton, Qt::LeftButton);
        QCOMPARE(w.autoBackupButton.text(), "Turn On Auto Backup");
        QCOMPARE(w.stored("BackupSwitch"), "Off");
        QVERIFY(!w.countdownTimer.isActive());
        QCOMPARE(w.status(), "Next backup will occur in 00:04:50");
        QCOMPARE(w.countdownBar.value(), 10);
        w.ticks(1); // a tick that still arrives while off
        QCOMPARE(w.status(), "Auto Backup is Off.");
        QTest::mouseClick(&w.autoBackupButton, Qt::LeftButton);
        QCOMPARE(w.autoBackupButton.text(), "Turn Off Auto Backup");
        w.ticks(1);
        QCOMPARE(w.status(), "Next backup will occur in 00:04:59");
        w.ticks(298);
        w.atNextEventPass([&] { QTest::mouseClick(&w.autoBackupButton, Qt::LeftButton); });
        w.ticks(1); // switched off while the due tick lets events run: no run
        QCOMPARE(w.trigger.runs, 0);
        QCOMPARE(w.stored("BackupSwitch"), "Off");
    }

    void ticksDuringARunChangeNothing()
    {
        Window w(1);
        w.schedule.applySwitch(true);
        w.ticks(299);
        QStringList during;
        w.trigger.during = [&] {
            w.ticks(3);
            during << w.status() << QString::number(w.countdownBar.value());
        };
        w.atNextEventPass([&] { w.ticks(2); }); // re-entering during the tick's own pass
        w.ticks(1);
        QCOMPARE(w.trigger.runs, 1);
        QCOMPARE(during, QStringList({ "Backup is running in background...", "300" }));
        w.ticks(1);
        QCOMPARE(w.status(), "Next backup will occur in 00:04:59");

        w.trigger.running = true; // a "Backup Now" run in progress
        w.ticks(5);
        QCOMPARE(w.status(), "Next backup will occur in 00:04:59");
        QCOMPARE(w.schedule.countdown().count(), 1);
    }

    // Catch Up: at start the countdown runs from the last backup on the wall
    // clock, and one overdue comes a minute after start-up.
    void catchUpCountsFromTheLastBackup_data()
    {
        QTest::addColumn<int>("hoursAgo");
        QTest::addColumn<QString>("caption");
        QTest::newRow("3 hours after the last run of an 8-hour interval") << 3 << "05:00:00";
        QTest::newRow("overdue") << 9 << "00:01:00";
    }
    void catchUpCountsFromTheLastBackup()
    {
        QFETCH(int, hoursAgo);
        Window w(0);
        w.settings.setValue("Catch Up", "On");
        w.settings.setValue("OftenIndex", "9"); // 8 hours
        w.settings.setValue(
            "Last Backup", w.clock.now().toUTC().addSecs(-3600 * hoursAgo).toString("yyyy-MM-ddTHH:mm:ssZ"));
        w.schedule.restoreFromSettings();
        w.ticks(1);
        QTEST(w.status().mid(QString("Next backup will occur in ").size()), "caption");
        QCOMPARE(w.trigger.runs, 0);
        // Awake all the while: both clocks move on.
        const int wait = hoursAgo < 8 ? 3600 * (8 - hoursAgo) : 60;
        w.clock.set(w.clock.now().addSecs(wait));
        w.clock.advanceMonotonic(qint64(wait) * 1000);
        w.ticks(1);
        QCOMPARE(w.trigger.runs, 1);
    }

    // A run that noted its drive missing is not repeated every interval: the
    // schedule waits, looking for the drive at every tick, and runs as soon
    // as it is back.
    void waitsForTheDriveToComeBack()
    {
        Window w(1);
        w.schedule.applySwitch(true);
        w.trigger.outcome = RunOutcome { RunOutcome::End::DriveMissing, 2, true };
        w.ticks(300);
        QCOMPARE(w.trigger.runs, 1);
        QVERIFY(w.schedule.isWaitingForDrive());
        QCOMPARE(w.status(), "Waiting for the backup drive...");
        w.trigger.outcome = RunOutcome {};
        w.ticks(1000);
        QCOMPARE(w.trigger.runs, 1);
        QCOMPARE(w.status(), "Waiting for the backup drive...");
        w.trigger.driveBack = true;
        w.ticks(1);
        QCOMPARE(w.trigger.runs, 2);
        QVERIFY(!w.schedule.isWaitingForDrive());
        // Shown in a box instead, a missing drive is tried again every interval.
        w.trigger.outcome = RunOutcome { RunOutcome::End::DriveMissing, 2, false };
        w.ticks(300);
        QVERIFY(!w.schedule.isWaitingForDrive());
    }

    // Keeping to the schedule, backups that stopped coming are said once.
    void saysOnceWhenBackupsAreLate()
    {
        Window w(0);
        w.settings.setValue("Catch Up", "On");
        w.settings.setValue("OftenIndex", "1");
        w.settings.setValue(
            "Last Backup", w.clock.now().toUTC().addSecs(-7200).toString("yyyy-MM-ddTHH:mm:ssZ"));
        w.schedule.restoreFromSettings();
        QSignalSpy late(&w.schedule, &AutoBackupSchedule::backupsLate);
        w.ticks(5);
        QCOMPARE(late.size(), 1);
        QCOMPARE(late.front().front().toDateTime(), w.clock.now().addSecs(-7200));
    }

    void startUpRestoresStoredState_data()
    {
        QTest::addColumn<QString>("oftenIndex");
        QTest::addColumn<QString>("backupSwitch");
        QTest::addColumn<int>("selectedRow");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("ticking");
        const QString initial = "Next backup will occur in 00:00:00";
        QTest::newRow("defaults") << ""
                                  << "" << 2 << "Turn Off Auto Backup" << initial << true;
        QTest::newRow("off") << "11"
                             << "Off" << 11 << "Turn On Auto Backup"
                             << "Auto Backup is Turned Off." << false;
        QTest::newRow("on") << "1"
                            << "On" << 1 << "Turn Off Auto Backup" << initial << true;
        QTest::newRow("lower-case on") << "3"
                                       << "on" << 3 << "Turn On Auto Backup" << initial << false;
    }
    void startUpRestoresStoredState()
    {
        QFETCH(QString, oftenIndex);
        QFETCH(QString, backupSwitch);
        Window w(0);
        if (!oftenIndex.isEmpty())
            w.settings.setValue("OftenIndex", oftenIndex);
        if (!backupSwitch.isEmpty())
            w.settings.setValue("BackupSwitch", backupSwitch);
        w.schedule.restoreFromSettings();
        QTEST(w.intervalList.indexOfTopLevelItem(w.intervalList.selectedItems().value(0)) + 1, "selectedRow");
        QTEST(w.autoBackupButton.text(), "button");
        QTEST(w.status(), "caption");
        QTEST(w.countdownTimer.isActive(), "ticking");
        if (w.countdownTimer.isActive())
            QCOMPARE(w.countdownTimer.interval(), 1000);
        QCOMPARE(w.stored("OftenIndex"), oftenIndex.isEmpty() ? "<none>" : oftenIndex);
        QCOMPARE(w.schedule.countdown().count(), 0);
    }
};

QTEST_MAIN(AutoBackupScheduleTest)
#include "tst_autobackupschedule.moc"

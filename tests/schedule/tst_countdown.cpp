#include "schedule/Countdown.h"

#include <QtTest>

// The countdown's rules, as steps: "on", "off", "interval <seconds>",
// "tick <times>", "restart"; keeping to the schedule on the wall clock also
// "schedule <seconds from now to the last run>" (or "schedule none"),
// "wait <seconds>" (a tick every second), "sleep <seconds>" (the wall clock
// moves, the monotonic one does not), "set back <seconds>" (the wall clock
// only) and "ran" (a run completed now).
class TestCountdown : public QObject {
    Q_OBJECT

private slots:
    void counts_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("secondsLeft");
        QTest::addColumn<bool>("due");
        QTest::newRow("not yet") << "interval 300; on; tick 299" << 299 << 1 << false;
        QTest::newRow("due on the interval's last second")
            << "interval 300; on; tick 300" << 300 << 0 << true;
        QTest::newRow("due again a whole interval after a run")
            << "interval 300; on; tick 300; restart; tick 300" << 300 << 0 << true;
        QTest::newRow("24 hours, first second") << "interval 86400; on; tick 1" << 1 << 86399 << false;
        QTest::newRow("switched off: the count stays")
            << "interval 300; on; tick 10; off; tick 5" << 10 << 290 << false;
        QTest::newRow("switched on again: from the start")
            << "interval 300; on; tick 10; off; on; tick 1" << 1 << 299 << false;
        QTest::newRow("switched off on the due second")
            << "interval 300; on; tick 300; off" << 300 << 0 << false;
        QTest::newRow("another interval: from the start")
            << "interval 300; on; tick 100; interval 600; tick 1" << 1 << 599 << false;
        QTest::newRow("no interval: it rests") << "interval 0; on; tick 400" << 0 << 0 << false;
        QTest::newRow("off from the start") << "interval 300; tick 300" << 0 << 300 << false;
        // On the wall clock (Catch Up).
        QTest::newRow("3 hours after the last run of a 10-hour interval")
            << "interval 36000; schedule -10800; on" << 10800 << 25200 << false;
        QTest::newRow("no last run: a whole interval")
            << "interval 3600; schedule none; on" << 0 << 3600 << false;
        QTest::newRow("overdue at start: a minute")
            << "interval 3600; schedule -7200; on; wait 59" << 3599 << 1 << false;
        QTest::newRow("overdue at start: due after that minute")
            << "interval 3600; schedule -7200; on; wait 60" << 3600 << 0 << true;
        QTest::newRow("the interval from the run that caught up")
            << "interval 3600; schedule -7200; on; wait 60; ran; wait 1" << 1 << 3599 << false;
        QTest::newRow("woken with one run due: a minute")
            << "interval 3600; schedule 0; on; wait 600; sleep 7200; wait 1" << 3540 << 60 << false;
        QTest::newRow("woken with many runs due: one, a minute on")
            << "interval 300; schedule 0; on; sleep 36000; wait 61" << 300 << 0 << true;
        QTest::newRow("woken with nothing due")
            << "interval 36000; schedule 0; on; sleep 3600; wait 1" << 3601 << 32399 << false;
        QTest::newRow("the clock set back a day")
            << "interval 3600; schedule 0; on; wait 10; set back 86400; wait 1" << 0 << 3600 << false;
        QTest::newRow("a last run in the future counts as now")
            << "interval 3600; schedule 86400; on; wait 1" << 1 << 3599 << false;
        QTest::newRow("a run that did not complete: an interval from now")
            << "interval 3600; schedule -7200; on; wait 60; restart" << 0 << 3600 << false;
    }
    void counts()
    {
        QFETCH(QString, steps);
        Countdown countdown;
        QDateTime now(QDate(2026, 12, 6), QTime(21, 5, 3), Qt::UTC);
        qint64 monotonic = 1000000;
        bool saidDue = false;
        for (const QString& step : steps.split(u';')) {
            const QStringList words = step.trimmed().split(u' ');
            const int n = words.last().toInt();
            if (words[0] == "on") {
                countdown.switchOn();
            } else if (words[0] == "off") {
                countdown.switchOff();
            } else if (words[0] == "interval") {
                countdown.setInterval(n);
            } else if (words[0] == "restart") {
                countdown.restart();
            } else if (words[0] == "schedule") {
                countdown.keepToSchedule(
                    words[1] == "none" ? std::nullopt : std::optional(now.addSecs(n)), now, monotonic);
            } else if (words[0] == "ran") {
                countdown.ran(now);
            } else if (words[0] == "sleep") {
                now = now.addSecs(n);
            } else if (words[0] == "set") {
                now = now.addSecs(-n);
            } else if (words[0] == "wait") {
                for (int i = 0; i < n; ++i) {
                    now = now.addSecs(1);
                    monotonic += 1000;
                    saidDue = countdown.tick(now, monotonic);
                }
            } else {
                for (int i = 0; i < n; ++i)
                    saidDue = countdown.tick();
            }
        }
        QTEST(countdown.count(), "count");
        QTEST(countdown.secondsLeft(), "secondsLeft");
        QTEST(countdown.isDue(), "due");
        const QString last = steps.section(u';', -1).trimmed();
        if (last.startsWith("tick") || last.startsWith("wait"))
            QCOMPARE(saidDue, countdown.isDue()); // tick() says so itself
    }

    // Keeping to the schedule, no completed run for twice the interval (an
    // hour at least) is late, said once for each such stretch.
    void lateness_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("sinceLastRun");
        QTest::addColumn<bool>("late");
        QTest::newRow("5 minutes, 59 minutes ago") << 300 << 3540 << false;
        QTest::newRow("5 minutes, 61 minutes ago") << 300 << 3660 << true;
        QTest::newRow("8 hours, 15 hours ago") << 28800 << 54000 << false;
        QTest::newRow("8 hours, 17 hours ago") << 28800 << 61200 << true;
    }
    void lateness()
    {
        QFETCH(int, interval);
        QFETCH(int, sinceLastRun);
        const QDateTime now(QDate(2026, 12, 6), QTime(21, 5, 3), Qt::UTC);
        const QDateTime lastRun = now.addSecs(-sinceLastRun);
        Countdown countdown;
        countdown.setInterval(interval);
        countdown.keepToSchedule(lastRun, now, 0);
        countdown.switchOn();
        QFETCH(bool, late);
        QCOMPARE(countdown.lateSince(now), late ? std::optional(lastRun) : std::nullopt);
        QCOMPARE(countdown.lateSince(now.addSecs(60)), std::optional<QDateTime>()); // said once
        countdown.ran(now.addSecs(60));
        QCOMPARE(countdown.lateSince(now.addSecs(60 + 2 * std::max(interval, 1800) + 1)),
            std::optional(now.addSecs(60)));
    }
};

QTEST_GUILESS_MAIN(TestCountdown)
#include "tst_countdown.moc"

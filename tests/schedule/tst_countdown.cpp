#include "schedule/Countdown.h"

#include <QtTest>

// The countdown's rules, as steps: "on", "off", "interval <seconds>",
// "tick <times>", "restart".
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
    }
    void counts()
    {
        QFETCH(QString, steps);
        Countdown countdown;
        bool saidDue = false;
        for (const QString& step : steps.split(u';')) {
            const QStringList words = step.trimmed().split(u' ');
            const int n = words.value(1).toInt();
            if (words[0] == "on")
                countdown.switchOn();
            else if (words[0] == "off")
                countdown.switchOff();
            else if (words[0] == "interval")
                countdown.setInterval(n);
            else if (words[0] == "restart")
                countdown.restart();
            else
                for (int i = 0; i < n; ++i)
                    saidDue = countdown.tick();
        }
        QTEST(countdown.count(), "count");
        QTEST(countdown.secondsLeft(), "secondsLeft");
        QTEST(countdown.isDue(), "due");
        if (steps.endsWith("tick 300") || steps.endsWith("tick 299"))
            QCOMPARE(saidDue, countdown.isDue()); // tick() says so itself
    }
};

QTEST_GUILESS_MAIN(TestCountdown)
#include "tst_countdown.moc"

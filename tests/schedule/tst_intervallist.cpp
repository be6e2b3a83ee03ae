#include "schedule/IntervalList.h"
#include "schedule/IntervalTable.h"
#include "schedule/SecondsToClock.h"

#include <QTest>
#include <QTreeWidget>
#include <climits>

class IntervalListTest : public QObject {
    Q_OBJECT

private slots:
    void secondsToClock_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("clock");
        QTest::newRow("zero") << 0 << "00:00:00";
        QTest::newRow("59") << 59 << "00:00:59";
        QTest::newRow("hour") << 3600 << "01:00:00";
        QTest::newRow("last second of day") << 86399 << "23:59:59";
        QTest::newRow("full day wraps") << 86400 << "00:00:00";
        QTest::newRow("day and 1:01:01") << 90061 << "01:01:01";
        QTest::newRow("minus one wraps into the day") << -1 << "23:59:59";
        QTest::newRow("int min") << INT_MIN << "20:45:52";
        QTest::newRow("int max") << INT_MAX << "03:14:07";
    }
    void secondsToClock()
    {
        QFETCH(int, seconds);
        QTEST(::secondsToClock(seconds), "clock");
    }

    void fillsOneColumnWithElevenCaptionsInOrder()
    {
        QTreeWidget list;
        fillIntervalList(list);
        fillIntervalList(list); // start-up may run twice; rows are not doubled
        QCOMPARE(list.columnCount(), 1);
        QCOMPARE(list.headerItem()->text(0), "How often would you like to backup?");
        QCOMPARE(list.topLevelItemCount(), 11);
        QCOMPARE(list.topLevelItem(0)->text(0), "Backup every 5 minutes");
        QCOMPARE(list.topLevelItem(5)->text(0), "Backup every 1 hour");
        QCOMPARE(list.topLevelItem(10)->text(0), "Backup every 24 hours");
        QCOMPARE(list.columnWidth(0), qRound(4000 * list.logicalDpiX() / 1440.0)); // 4000 twips
    }

    void selectedRowGivesItsSeconds_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("seconds");
        const int expected[] = { 300, 600, 900, 1200, 1800, 3600, 7200, 14400, 28800, 57600, 86400 };
        for (int i = 1; i <= 11; ++i)
            QTest::addRow("row %d", i) << i << expected[i - 1];
        QTest::newRow("none below") << 0 << 0;
        QTest::newRow("none above") << 12 << 0;
        QTest::newRow("negative") << -3 << 0;
    }
    void selectedRowGivesItsSeconds()
    {
        QFETCH(int, index);
        QTreeWidget list;
        fillIntervalList(list);
        selectIntervalRow(list, 4);
        selectIntervalRow(list, index); // an out-of-range index clears the selection
        QCOMPARE(selectedIntervalIndex(list), index >= 1 && index <= 11 ? index : 0);
        QTEST(intervalSeconds(list), "seconds");
    }

    void unknownCaptionGivesZero()
    {
        QTreeWidget list;
        fillIntervalList(list);
        selectIntervalRow(list, 3);
        list.topLevelItem(2)->setText(0, "Backup every 15 minutes ");
        QCOMPARE(intervalSeconds(list), 0);
    }
};

QTEST_MAIN(IntervalListTest)
#include "tst_intervallist.moc"

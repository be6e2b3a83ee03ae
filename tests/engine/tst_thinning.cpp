#include "RunBench.h"
#include "engine/Thinning.h"

#include <QTimeZone>
#include <QtTest>

namespace {

const QTimeZone berlin("Europe/Berlin");

QDateTime inBerlin(int month, int day, int hour, int minute = 0, int year = 2026)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), berlin);
}

QDateTime utc(int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute), Qt::UTC);
}

QDateTime dec(int day, int hour = 10, int year = 2026)
{
    return inBerlin(12, day, hour, 0, year);
}

QDateTime jan(int day, int hour = 10)
{
    return inBerlin(1, day, hour, 0, 2027);
}

// A stamped copy of report.doc as a run at when names it.
QString reportCopy(const QDateTime& when)
{
    return QStringLiteral("report.doc Date %1 Time %2.doc")
        .arg(runLocale.toString(when.date(), QStringLiteral("MMM d yyyy")),
            runLocale.toString(when.time(), QStringLiteral("hh mm ss AP")));
}

} // namespace

class TestThinning : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(berlin.isValid(), "the time zone database lacks Europe/Berlin"); }

    // Which copies survive, by the catalog's order (newest first) and the
    // days and ISO weeks their made times fall on in the zone of now.
    void survivingCopies_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QList<QDateTime>>("made"); // newest first
        QTest::addColumn<int>("newest");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("weeks");
        QTest::addColumn<QList<int>>("kept");
        const QList<QDateTime> fourDays { dec(6), dec(5), dec(4), dec(1) };
        QTest::newRow("all counts 0 keep every copy")
            << dec(6, 12) << fourDays << 0 << 0 << 0 << QList<int> { 0, 1, 2, 3 };
        QTest::newRow("the newest two") << dec(6, 12) << fourDays << 2 << 0 << 0 << QList<int> { 0, 1 };
        QTest::newRow("the newest of each of three days, today included")
            << dec(6, 12)
            << QList<QDateTime> { dec(6, 10), dec(6, 8), dec(5, 20), dec(5, 9), dec(4, 23), dec(3) } << 0 << 3
            << 0 << QList<int> { 0, 2, 4 };
        QTest::newRow("newest by the catalog's order, not by made time")
            << dec(6, 12) << QList<QDateTime> { dec(6, 8), dec(6, 10), dec(5, 9) } << 0 << 2 << 0
            << QList<int> { 0, 2 };
        // 23:30 UTC on Dec 5 is half past midnight on Dec 6 in Berlin.
        QTest::newRow("a day ends at local midnight")
            << dec(6, 12) << QList<QDateTime> { dec(6, 10), utc(12, 5, 23, 30), utc(12, 5, 22, 30) } << 0 << 2
            << 0 << QList<int> { 0, 2 };
        // Oct 25: 02:30 comes twice in Berlin, at 00:30 and 01:30 UTC.
        QTest::newRow("the hour repeated as summer time ends")
            << inBerlin(10, 25, 12)
            << QList<QDateTime> { utc(10, 25, 1, 30), utc(10, 25, 0, 30), utc(10, 24, 22, 30),
                   utc(10, 24, 21, 30) }
            << 0 << 2 << 0 << QList<int> { 0, 3 };
        QTest::newRow("the repeated hour, the later one made first")
            << inBerlin(10, 25, 12)
            << QList<QDateTime> { utc(10, 25, 0, 30), utc(10, 25, 1, 30), utc(10, 24, 21, 30) } << 0 << 2 << 0
            << QList<int> { 0, 2 };
        // Wednesday Dec 9 is in week 50, Monday Dec 7 to Sunday Dec 13.
        QTest::newRow("the newest of each of three weeks, Monday to Sunday")
            << dec(9, 12)
            << QList<QDateTime> { dec(8), dec(7), dec(6), inBerlin(11, 30, 10), inBerlin(11, 29, 10),
                   inBerlin(11, 22, 10) }
            << 0 << 0 << 3 << QList<int> { 0, 2, 4 };
        // Dec 28 2026 to Jan 3 2027 is week 53 of 2026; Jan 4 begins week 1.
        const QList<QDateTime> newYear { jan(4), jan(2), dec(31), dec(28), dec(27), dec(20) };
        QTest::newRow("week 1 and week 53 of the year before")
            << jan(5, 12) << newYear << 0 << 0 << 2 << QList<int> { 0, 1 };
        QTest::newRow("three weeks back from week 1")
            << jan(5, 12) << newYear << 0 << 0 << 3 << QList<int> { 0, 1, 4 };
        QTest::newRow("New Year's Day shares its week with December")
            << jan(2, 12) << QList<QDateTime> { jan(1), dec(31), dec(27) } << 0 << 0 << 1 << QList<int> { 0 };
        QTest::newRow("two weeks back from week 53")
            << jan(2, 12) << QList<QDateTime> { jan(1), dec(31), dec(27) } << 0 << 0 << 2
            << QList<int> { 0, 2 };
        QTest::newRow("two days across New Year")
            << jan(1, 12) << QList<QDateTime> { jan(1, 9), dec(31, 20), dec(31, 10), dec(30) } << 0 << 2 << 0
            << QList<int> { 0, 1 };
        const QList<QDateTime> fortnight { dec(9, 10), dec(9, 8), dec(8, 20), dec(8, 10), dec(7, 9), dec(5),
            dec(1), inBerlin(11, 25, 10) };
        QTest::newRow("newest, days and weeks together")
            << dec(9, 12) << fortnight << 1 << 2 << 2 << QList<int> { 0, 2, 5 };
        QTest::newRow("the newest three, days and weeks")
            << dec(9, 12) << fortnight << 3 << 2 << 2 << QList<int> { 0, 1, 2, 5 };
        QTest::newRow("three days and three weeks")
            << dec(9, 12) << fortnight << 0 << 3 << 3 << QList<int> { 0, 2, 4, 5, 7 };
        QTest::newRow("a copy made after now is of no day, though the newest")
            << dec(6, 12) << QList<QDateTime> { dec(7), dec(6, 10), dec(6, 8) } << 0 << 1 << 1
            << QList<int> { 0, 1 };
        QTest::newRow("a copy made at an unknown time counts only among the newest")
            << dec(6, 12) << QList<QDateTime> { dec(6, 10), QDateTime(), dec(6, 8) } << 2 << 1 << 0
            << QList<int> { 0, 1 };
    }
    void survivingCopies()
    {
        QFETCH(QDateTime, now);
        QFETCH(QList<QDateTime>, made);
        QFETCH(int, newest);
        QFETCH(int, days);
        QFETCH(int, weeks);
        QFETCH(QList<int>, kept);
        for (QDateTime& time : made)
            time = time.toUTC(); // as the catalog gives them
        const QList<bool> survives = ::survivingCopies(made, { newest, days, weeks }, now);
        QList<int> survivors;
        for (qsizetype i = 0; i < survives.size(); ++i) {
            if (survives[i])
                survivors << int(i);
        }
        QCOMPARE(survivors, kept);
    }

    // Runs with days and weeks to keep delete what the table says, of real
    // copies in the backup folder, reading days in the clock's time zone.
    void runsThinByDaysAndWeeks_data()
    {
        QTest::addColumn<QList<QDateTime>>("runs");
        QTest::addColumn<int>("newest");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("weeks");
        QTest::addColumn<QList<QDateTime>>("left"); // the runs whose copies are left
        const auto local
            = [](const QDateTime& berlinTime) { return QDateTime(berlinTime.date(), berlinTime.time()); };
        QTest::newRow("two days") << QList<QDateTime> { local(dec(3, 9)), local(dec(3, 18)), local(dec(4, 9)),
            local(dec(5, 9)), local(dec(5, 18)) }
                                  << 0 << 2 << 0 << QList<QDateTime> { local(dec(4, 9)), local(dec(5, 18)) };
        QTest::newRow("the newest two and two weeks")
            << QList<QDateTime> { local(inBerlin(11, 23, 9)), local(inBerlin(11, 28, 9)),
                   local(inBerlin(11, 30, 9)), local(dec(2, 9)), local(dec(5, 9)), local(dec(6, 9)) }
            << 2 << 0 << 2
            << QList<QDateTime> { local(inBerlin(11, 28, 9)), local(dec(5, 9)), local(dec(6, 9)) };
        QTest::newRow("three weeks") << QList<QDateTime> { local(inBerlin(11, 23, 9)),
            local(inBerlin(11, 28, 9)), local(inBerlin(11, 30, 9)), local(dec(2, 9)), local(dec(6, 9)) }
                                     << 0 << 0 << 3
                                     << QList<QDateTime> { local(inBerlin(11, 28, 9)), local(dec(6, 9)) };
        QTest::newRow("days by the clock's zone")
            << QList<QDateTime> { inBerlin(12, 5, 23, 30), dec(6, 0).addSecs(1800), dec(6, 10) } << 0 << 2
            << 0 << QList<QDateTime> { inBerlin(12, 5, 23, 30), dec(6, 10) };
    }
    void runsThinByDaysAndWeeks()
    {
        QFETCH(QList<QDateTime>, runs);
        QFETCH(int, newest);
        QFETCH(int, days);
        QFETCH(int, weeks);
        QFETCH(QList<QDateTime>, left);
        RunBench b;
        const QString report = b.source("report.doc");
        for (const QDateTime& when : runs) {
            b.clock.set(when);
            RunOptions options = b.options(false, true, WriteMode::CreateNew);
            options.keepDatedCopies = newest;
            options.keepDaily = days;
            options.keepWeekly = weeks;
            QVERIFY(b.saveAll({ report }, options));
        }
        QCOMPARE(b.dialogs.messageTexts(), QStringList {});
        QStringList expected;
        for (const QDateTime& when : left)
            expected << reportCopy(when);
        expected.sort();
        QCOMPARE(b.destFiles(), expected);
    }
};

QTEST_GUILESS_MAIN(TestThinning)
#include "tst_thinning.moc"

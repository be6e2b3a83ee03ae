#include "app/HomePageVisit.h"
#include "desktop/CenterForm.h"
#include "platform/LocalFileSystem.h"

#include "FakeClock.h"
#include "FakeLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

class TestHomePageVisit : public QObject {
    Q_OBJECT

private slots:
    void centerFormPutsTheWindowInTheMiddle_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("even") << QSize(440, 674) << QRect(0, 0, 1920, 1080) << QPoint(740, 203);
        QTest::newRow("half pixel") << QSize(300, 201) << QRect(0, 0, 1025, 768) << QPoint(363, 284);
        QTest::newRow("second screen") << QSize(400, 300) << QRect(1920, 0, 1280, 1024) << QPoint(2360, 362);
        QTest::newRow("larger than screen") << QSize(900, 700) << QRect(0, 0, 800, 600) << QPoint(-50, -50);
    }

    void centerFormPutsTheWindowInTheMiddle()
    {
        QFETCH(QSize, window);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        QWidget form;
        form.setFixedSize(window);
        centerFormOnceFramed(form, screen);
        QCOMPARE(form.pos(), expected);
    }

    // The title bar is unknown until the window is shown; the frame, once
    // known, is what sits in the middle.
    void centredAgainOnceTheFrameIsKnown()
    {
        QWidget form;
        form.setFixedSize(440, 674);
        const QRect screen(0, 0, 1920, 1080);
        centerFormOnceFramed(form, screen);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QSize frame = form.frameGeometry().size();
        if (frame == form.size())
            QSKIP("the window system gives this window no frame");
        QTRY_COMPARE(form.frameGeometry().topLeft(),
            QPoint(qRound((1920 - frame.width()) / 2.0), qRound((1080 - frame.height()) / 2.0)));
    }

    void homePageOpensOnlyOnSeven_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("draw");
        QTest::addColumn<bool>("opens");
        for (int n : { 1, 6, 7, 8, 70, 100 })
            QTest::addRow("%d", n) << "https://quillstead.test/" << n << (n == 7);
        QTest::newRow("no address, 7") << "" << 7 << false;
    }

    void homePageOpensOnlyOnSeven()
    {
        QFETCH(QString, address);
        QFETCH(int, draw);
        QFETCH(bool, opens);
        FakeLauncher launcher;
        int draws = 0;
        maybeVisitHomePage(
            address,
            [&] {
                ++draws;
                return draw;
            },
            launcher);
        QCOMPARE(draws, 1); // the draw stays, with or without an address
        QCOMPARE(launcher.opened, opens ? QStringList { address } : QStringList());
    }

    void clockSeededDrawFollowsTheTimeOfDay()
    {
        const QDate day(2026, 12, 6);
        FakeClock clock(QDateTime(day, QTime(9, 5, 3, 250)));
        QCOMPARE(clockSeededDraw(clock)(), clockSeededDraw(clock)());

        // One draw per start, over many starts at different times of day.
        int sevens = 0;
        int lowest = 101;
        int highest = 0;
        for (int ms = 0; ms < 20000; ++ms) {
            clock.set(QDateTime(day, QTime::fromMSecsSinceStartOfDay(ms * 4001 % 86400000)));
            const int n = clockSeededDraw(clock)();
            sevens += n == 7;
            lowest = qMin(lowest, n);
            highest = qMax(highest, n);
        }
        QCOMPARE(lowest, 1);
        QCOMPARE(highest, 100);
        QVERIFY2(sevens > 120 && sevens < 280, qPrintable(QString::number(sevens)));
    }
};

QTEST_MAIN(TestHomePageVisit)
#include "tst_homepagevisit.moc"

#include "FakeClock.h"
#include "ProgramFixture.h"
#include "app/CaptionAnnouncer.h"
#include "app/MainWindow.h"
#include "app/MainWindowLayout.h"
#include "schedule/AutoBackupSchedule.h"
#include "schedule/StatusCaption.h"

#include <QAccessible>
#include <QGroupBox>
#include <QTimer>
#include <QtTest>

#ifdef QUILL_QPA_ACCESSIBILITY
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#endif

namespace {

// Offscreen no screen reader switches accessibility on, and without it Qt
// reports no change at all; the test switches it on as one would.
bool switchAccessibilityOn()
{
#ifdef QUILL_QPA_ACCESSIBILITY
    if (QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->setActive(true);
#endif
    return QAccessible::isActive();
}

// What a screen reader hears of the watched frame: its accessible name, each
// time a NameChanged event brings a new one.
QObject* watchedFrame = nullptr;
QString lastName;
QStringList heard;

void listenTo(QWidget& frame)
{
    watchedFrame = &frame;
    lastName = frame.accessibleName();
    heard.clear();
}

void recordNameChange(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::NameChanged || event->object() != watchedFrame)
        return;
    const QString name = event->accessibleInterface()->text(QAccessible::Name);
    if (name != lastName)
        heard << name;
    lastName = name;
}

QString countdownAt(int secondsLeft)
{
    return QStringLiteral("Next backup will occur in 00:%1:%2")
        .arg(secondsLeft / 60, 2, 10, QLatin1Char('0'))
        .arg(secondsLeft % 60, 2, 10, QLatin1Char('0'));
}

// "<second>|<caption>": at that second of the monotonic clock the caption shows.
QStringList countdownSteps(int fromSecond, int toSecond)
{
    QStringList steps;
    for (int second = fromSecond; second <= toSecond; ++second)
        steps << QStringLiteral("%1|%2").arg(second).arg(countdownAt(600 - second));
    return steps;
}

} // namespace

class CaptionAnnouncerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!switchAccessibilityOn())
            QSKIP("accessibility cannot be switched on here: install qt6-base-private-dev "
                  "(scripts/setup.sh) and configure again");
        QAccessible::installUpdateHandler(recordNameChange);
    }
    void cleanupTestCase() { QAccessible::installUpdateHandler(nullptr); }

    void heardAtOnceOrOnceAMinute_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");

        const QStringList threeMinutes = countdownSteps(0, 180);
        QTest::newRow("the countdown, once a minute")
            << threeMinutes
            << QStringList { countdownAt(600), countdownAt(540), countdownAt(480), countdownAt(420) };
        QTest::newRow("a run, its end and the countdown back at once")
            << countdownSteps(0, 5)
                + QStringList { "5|Backup is running in background...",
                      "6|Auto Backup Complete at 12/6/2026 9:05:03 PM", "6|" + countdownAt(595),
                      "7|" + countdownAt(594) }
            << QStringList { countdownAt(600), "Backup is running in background...",
                   "Auto Backup Complete at 12/6/2026 9:05:03 PM", countdownAt(595) };
        QTest::newRow("a run's progress counts on like the countdown")
            << QStringList { "0|Backing up files...", "0|Backing up files... 1 of 12",
                   "1|Backing up files... 2 of 12", "61|Backing up files... 3 of 12",
                   "61|Backing up files... packing 40%", "62|Backing up files... packing 50%" }
            << QStringList { "Backing up files...", "Backing up files... 1 of 12",
                   "Backing up files... 3 of 12", "Backing up files... packing 40%" };
        QTest::newRow("waiting, and switching off and on")
            << QStringList { "0|Waiting for the backup drive...", "1|Waiting for the backup drive...",
                   "2|Auto Backup is Turned Off.", "3|" + countdownAt(599), "4|Auto Backup is Off." }
            << QStringList { "Waiting for the backup drive...", "Auto Backup is Turned Off.",
                   countdownAt(599), "Auto Backup is Off." };
    }
    void heardAtOnceOrOnceAMinute()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        FakeClock clock;
        QGroupBox frame(countdownAt(0));
        new CaptionAnnouncer(frame, clock);
        listenTo(frame);
        qint64 nowMs = 0;
        for (const QString& step : steps) {
            const qint64 atMs = step.section(u'|', 0, 0).toLongLong() * 1000;
            clock.advanceMonotonic(atMs - nowMs);
            nowMs = atMs;
            showStatusCaption(frame, step.section(u'|', 1));
        }
        QCOMPARE(heard, expected);
    }

    // On the window, the schedule's countdown is heard once a minute, and
    // the captions of its run as they come.
    void theWindowTellsItsStatus()
    {
        ProgramFixture p;
        p.store("BackupSwitch", "On");
        p.store("OftenIndex", "1"); // every 5 minutes
        MainWindowLayout& form = p.start().form();
        form.countdownTimer->stop(); // the schedule ticks when the test says so
        listenTo(*form.statusFrame);
        const auto tick = [&] {
            p.clock.advanceMonotonic(1000);
            p.clock.set(p.clock.now().addSecs(1));
            p.window->schedule().tick();
        };
        for (int second = 1; second <= 180; ++second)
            tick();
        QCOMPARE(heard, (QStringList { countdownAt(299), countdownAt(239), countdownAt(179) }));

        heard.clear();
        for (int second = 181; second <= 300; ++second)
            tick();
        QCOMPARE(heard.mid(0, 3),
            (QStringList { countdownAt(119), countdownAt(59), "Backup is running in background..." }));
        QCOMPARE(heard.back(), form.statusFrame->title());
    }
};

QTEST_MAIN(CaptionAnnouncerTest)
#include "tst_captionannouncer.moc"

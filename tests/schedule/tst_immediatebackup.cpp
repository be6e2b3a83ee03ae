#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "platform/StopRequest.h"
#include "schedule/BackupTrigger.h"
#include "schedule/ImmediateBackup.h"
#include "support/EventLoop.h"

#include <QGroupBox>
#include <QProgressBar>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

namespace {

// Records what the window showed while the run worked.
class RecordingTrigger : public BackupTrigger {
public:
    explicit RecordingTrigger(QGroupBox& frame)
        : m_frame(frame)
    {
    }
    bool isRunning() const override { return running; }
    std::optional<RunOutcome> runBackup(Kind) override
    {
        captionDuringRun = m_frame.title();
        busyDuringRun = busy;
        ++runs;
        if (fail)
            throw std::runtime_error("Out of memory");
        m_frame.setTitle(QStringLiteral("Auto Backup Complete at 12/6/2026 9:05:03 PM"));
        return RunOutcome {};
    }
    bool destinationIsBack() const override { return true; }
    bool running = false;
    bool fail = false;
    bool busy = false;
    int runs = 0;
    QString captionDuringRun;
    bool busyDuringRun = false;

private:
    QGroupBox& m_frame;
};

struct Window {
    QGroupBox frame { QStringLiteral("Next backup will occur in 00:04:10") };
    QProgressBar bar;
    RecordingTrigger trigger { frame };
    FakeClock clock;
    ScriptedDialogs dialogs;
    StopRequest stop;
    QStringList captionsDuringWait;
    ImmediateBackup backup { { &frame, &bar }, trigger, clock, dialogs, stop };

    Window()
    {
        QObject::connect(&backup, &ImmediateBackup::busyChanged, [this](bool b) { trigger.busy = b; });
        bar.setRange(0, 300);
        bar.setValue(120);
        clock.setMonotonicStep(250); // every reading moves the monotonic clock on
    }
};

} // namespace

class TestImmediateBackup : public QObject {
    Q_OBJECT

private slots:
    void captionsPointerAndProgressInOrder()
    {
        Window w;
        QTimer watcher;
        QString outcomeDuringPause;
        // The pause lets events run: the outcome caption is on show meanwhile.
        QObject::connect(&watcher, &QTimer::timeout, [&] { outcomeDuringPause = w.frame.title(); });
        watcher.start(0);
        w.backup.backUpNow();
        QCOMPARE(w.trigger.runs, 1);
        QCOMPARE(w.trigger.captionDuringRun, QStringLiteral("Backing up files..."));
        QVERIFY(w.trigger.busyDuringRun);
        QVERIFY(!w.trigger.busy);
        QCOMPARE(w.bar.value(), 0);
        QCOMPARE(outcomeDuringPause, QStringLiteral("Auto Backup Complete at 12/6/2026 9:05:03 PM"));
        QCOMPARE(w.frame.title(), QStringLiteral("Next backup will occur in 00:04:10"));
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    void waitIsMeasuredOnTheMonotonicClock()
    {
        FakeClock clock;
        clock.setMonotonicStep(100);
        const qint64 start = clock.monotonicMs();
        StopRequest stop;
        waitSeconds(5, clock, stop);
        const qint64 waited = clock.monotonicMs() - start;
        QVERIFY2(waited >= 5000 && waited <= 5300, qPrintable(QString::number(waited)));
        // The wall clock is never read: midnight cannot end the wait early.
        QCOMPARE(clock.readings(), 0);
    }

    // Closing the program during the pause ends the wait at once, and the
    // handler takes no further step.
    void closingDuringThePauseEndsTheWaitAndTheHandler()
    {
        Window w;
        w.clock.setMonotonicStep(1); // the pause would take 5000 passes
        int passes = 0;
        QTimer closeRequest;
        QObject::connect(&closeRequest, &QTimer::timeout, [&] {
            if (++passes == 3)
                w.stop.request();
        });
        closeRequest.start(0);
        const qint64 start = w.clock.monotonicMs();
        w.backup.backUpNow();
        QVERIFY2(
            w.clock.monotonicMs() - start < 100, qPrintable(QString::number(w.clock.monotonicMs() - start)));
        QCOMPARE(w.frame.title(), QStringLiteral("Auto Backup Complete at 12/6/2026 9:05:03 PM"));
    }

    void aFailingStepIsReportedAndTheRestStillRuns()
    {
        Window w;
        w.trigger.fail = true;
        w.backup.backUpNow();
        QCOMPARE(w.dialogs.messages.size(), 1);
        const auto& box = w.dialogs.messages.front();
        QCOMPARE(box.caption, QStringLiteral("Application Error"));
        QCOMPARE(box.icon, MessageIcon::Exclamation);
        QVERIFY2(box.text.startsWith("Out of memory\r\nin Quillkeep.Form1.PushButton6_Click at line 106\r\r"
                                     "Please email screenshot of this message to "),
            qPrintable(box.text));
        QVERIFY(!w.trigger.busy);
        QCOMPARE(w.bar.value(), 0);
        QCOMPARE(w.frame.title(), QStringLiteral("Next backup will occur in 00:04:10"));
    }

    void aClickDuringARunDoesNothing()
    {
        Window w;
        w.trigger.running = true;
        w.backup.backUpNow();
        QCOMPARE(w.trigger.runs, 0);
        QCOMPARE(w.frame.title(), QStringLiteral("Next backup will occur in 00:04:10"));
        QCOMPARE(w.bar.value(), 120);
    }
};

QTEST_MAIN(TestImmediateBackup)
#include "tst_immediatebackup.moc"

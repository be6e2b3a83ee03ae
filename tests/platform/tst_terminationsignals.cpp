#include "platform/TerminationSignals.h"

#include <QSignalSpy>
#include <QtTest>

#include <csignal>

class TestTerminationSignals : public QObject {
    Q_OBJECT

private slots:
    // The signal arrives on the event loop, where it is safe to close windows;
    // the process itself goes on.
    void termAndIntBecomeOneRequestEach()
    {
        TerminationSignals signals_;
        QSignalSpy spy(&signals_, &TerminationSignals::terminationRequested);
        ::raise(SIGTERM);
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.count(), 1);
        ::raise(SIGINT);
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "tst_terminationsignals.moc"

#include "WaitSeconds.h"

#include "platform/Clock.h"
#include "platform/EventLoop.h"

#include <QThread>

void WaitSeconds(int n, const Clock& clock)
{
    const qint64 end = clock.monotonicMs() + qint64(n) * 1000;
    while (clock.monotonicMs() < end) {
        LetEventsRun();
        // A short nap keeps the wait from spinning a core while nothing happens.
        QThread::msleep(10);
    }
}

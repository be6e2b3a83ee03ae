#include "WaitSeconds.h"

#include "Clock.h"
#include "EventLoop.h"
#include "StopRequest.h"

#include <QThread>

void WaitSeconds(int n, const Clock& clock, const StopRequest& stop)
{
    const qint64 end = clock.monotonicMs() + qint64(n) * 1000;
    while (!stop.requested() && clock.monotonicMs() < end) {
        LetEventsRun();
        // A short nap keeps the wait from spinning a core while nothing happens.
        QThread::msleep(10);
    }
}

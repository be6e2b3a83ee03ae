#include "WaitSeconds.h"

#include "EventLoop.h"
#include "platform/Clock.h"
#include "platform/StopRequest.h"

#include <QThread>

void waitSeconds(int n, const Clock& clock, const StopRequest& stop)
{
    const qint64 end = clock.monotonicMs() + qint64(n) * 1000;
    while (!stop.requested() && clock.monotonicMs() < end) {
        letEventsRun();
        // A short nap keeps the wait from spinning a core while nothing happens.
        QThread::msleep(10);
    }
}

#include "EventLoop.h"

#include "platform/Clock.h"
#include "platform/StopRequest.h"

#include <QCoreApplication>
#include <QThread>

void letEventsRun()
{
    QCoreApplication::processEvents();
}

void waitSeconds(int n, const Clock& clock, const StopRequest& stop)
{
    const qint64 end = clock.monotonicMs() + qint64(n) * 1000;
    while (!stop.requested() && clock.monotonicMs() < end) {
        letEventsRun();
        // A short nap keeps the wait from spinning a core while nothing happens.
        QThread::msleep(10);
    }
}

EventPacer::EventPacer(const Clock& clock, const StopRequest& stop, qint64 intervalMs)
    : m_clock(clock)
    , m_stop(stop)
    , m_intervalMs(intervalMs)
    , m_lastPass(clock.monotonicMs())
{
}

bool EventPacer::keepGoing()
{
    if (m_stop.requested())
        return false;
    const qint64 now = m_clock.monotonicMs();
    if (now - m_lastPass >= m_intervalMs) {
        letEventsRun();
        m_lastPass = m_clock.monotonicMs();
    }
    return !m_stop.requested();
}

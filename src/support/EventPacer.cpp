#include "EventPacer.h"

#include "EventLoop.h"
#include "platform/Clock.h"
#include "platform/StopRequest.h"

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

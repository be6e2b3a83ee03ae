#pragma once

#include <QtGlobal>

class Clock;
class StopRequest;

// Keeps the window responsive during long work on its thread: lets pending
// events run once the last pass is a set time old (on the monotonic clock),
// rather than after every item, which would cost more than the work itself.
class EventPacer {
public:
    EventPacer(const Clock& clock, const StopRequest& stop, qint64 intervalMs = 25);

    // Lets events run when a pass is due. False once shutdown has begun
    // (possibly during that very pass): the work then stops at once.
    bool keepGoing();

private:
    const Clock& m_clock;
    const StopRequest& m_stop;
    qint64 m_intervalMs;
    qint64 m_lastPass;
};

#pragma once

#include <QtGlobal>

class Clock;
class StopRequest;

// The program's passes through the event loop: while it works or waits on
// the window's thread, pending events (repaints, clicks, a close) still run.

// Lets pending window events run once.
void letEventsRun();

// Returns after n seconds, letting pending events run over and over meanwhile.
// Time is measured on the monotonic clock, so midnight or a clock change
// neither shortens nor stretches the wait. Returns at once when stop is
// raised (the program is closing).
void waitSeconds(int n, const Clock& clock, const StopRequest& stop);

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

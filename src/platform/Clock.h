#pragma once

#include <QDateTime>

// The wall clock for dates in names and logs, and a monotonic clock for waits.
class Clock {
public:
    virtual ~Clock() = default;
    // Current local date and time.
    virtual QDateTime now() const = 0;
    // Milliseconds on a clock that never jumps (not at midnight, not when the time is set).
    virtual qint64 monotonicMs() const = 0;
};

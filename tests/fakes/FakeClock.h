#pragma once

#include "platform/Clock.h"

#include <QDateTime>
#include <QList>

// A clock that shows what the test sets. Readings can be scripted one by one
// (to cross midnight between two readings); when the script runs out the
// clock shows the last set time. The monotonic clock moves only when told.
class FakeClock : public Clock {
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2026, 12, 6), QTime(21, 5, 3)))
        : m_now(std::move(now))
    {
    }

    QDateTime now() const override
    {
        if (!m_script.isEmpty())
            m_now = m_script.takeFirst();
        ++m_readings;
        return m_now;
    }
    qint64 monotonicMs() const override
    {
        m_monotonic += m_stepPerReading;
        return m_monotonic;
    }

    void set(const QDateTime& now) { m_now = now; }
    void script(const QList<QDateTime>& readings) { m_script = readings; }
    void advanceMonotonic(qint64 ms) { m_monotonic += ms; }
    // Each monotonic reading moves the clock on by this much (lets waits end).
    void setMonotonicStep(qint64 ms) { m_stepPerReading = ms; }
    int readings() const { return m_readings; }

private:
    mutable QDateTime m_now;
    mutable QList<QDateTime> m_script;
    mutable qint64 m_monotonic = 0;
    qint64 m_stepPerReading = 0;
    mutable int m_readings = 0;
};

#include "Countdown.h"

#include <algorithm>

namespace {

// A wall clock that moved this much further than the monotonic one between
// two ticks slept in between.
constexpr qint64 SleepMs = 30000;
// No run for this long, nor for twice the interval, is late.
constexpr qint64 LateAtLeastSeconds = 3600;

} // namespace

void Countdown::switchOn()
{
    m_on = true;
    if (m_keepsToSchedule)
        scheduleFromLastRun();
    else
        m_count = 0;
}

void Countdown::setInterval(int seconds)
{
    m_intervalSeconds = seconds;
    if (m_keepsToSchedule)
        scheduleFromLastRun();
    else
        m_count = 0;
}

void Countdown::restart()
{
    if (!m_keepsToSchedule) {
        m_count = 0;
        return;
    }
    m_due = m_now.addSecs(m_intervalSeconds);
    countTowardsDue();
}

void Countdown::keepToSchedule(
    const std::optional<QDateTime>& lastRun, const QDateTime& now, qint64 monotonicMs)
{
    m_keepsToSchedule = true;
    m_now = now;
    m_monotonicMs = monotonicMs;
    // A last run in the future (the clock was set back) counts as now: no
    // burst of runs, and no endless wait.
    m_lastRun = lastRun && *lastRun <= now ? *lastRun : now;
    m_toldLate = false;
    scheduleFromLastRun();
}

void Countdown::countSeconds()
{
    m_keepsToSchedule = false;
    m_count = 0;
}

void Countdown::ran(const QDateTime& when)
{
    m_toldLate = false;
    if (!m_keepsToSchedule) {
        m_count = 0;
        return;
    }
    m_lastRun = when;
    m_now = std::max(m_now, when);
    m_due = when.addSecs(m_intervalSeconds);
    countTowardsDue();
}

void Countdown::scheduleFromLastRun()
{
    m_due = m_lastRun.addSecs(m_intervalSeconds);
    // However many intervals were missed, one run catches up, a minute on.
    if (m_due <= m_now)
        m_due = m_now.addSecs(CatchUpDelaySeconds);
    countTowardsDue();
}

void Countdown::countTowardsDue()
{
    if (m_intervalSeconds <= 0) {
        m_count = 0;
        return;
    }
    const qint64 left = std::clamp<qint64>(m_now.secsTo(m_due), 0, m_intervalSeconds);
    m_count = int(m_intervalSeconds - left);
}

bool Countdown::tick(const QDateTime& now, qint64 monotonicMs)
{
    if (!m_on)
        return false;
    if (!m_keepsToSchedule) {
        // Nothing to count towards: the count rests at 0 until an interval is chosen.
        m_count = m_intervalSeconds > 0 ? m_count + 1 : 0;
        return isDue();
    }
    const bool woke = m_now.msecsTo(now) - (monotonicMs - m_monotonicMs) > SleepMs;
    m_now = now;
    m_monotonicMs = monotonicMs;
    if (m_lastRun > now) {
        m_lastRun = now;
        m_due = now.addSecs(m_intervalSeconds);
    } else if (woke && m_due <= now) {
        // A run that became due in the sleep comes a minute after waking.
        m_due = now.addSecs(CatchUpDelaySeconds);
    }
    countTowardsDue();
    return isDue();
}

std::optional<QDateTime> Countdown::lateSince(const QDateTime& now)
{
    if (!m_keepsToSchedule || !m_on || m_intervalSeconds <= 0 || m_toldLate)
        return std::nullopt;
    const qint64 late = std::max<qint64>(2 * qint64(m_intervalSeconds), LateAtLeastSeconds);
    if (m_lastRun.secsTo(now) <= late)
        return std::nullopt;
    m_toldLate = true;
    return m_lastRun;
}

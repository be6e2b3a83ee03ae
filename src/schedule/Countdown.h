#pragma once

#include <QDateTime>
#include <QtGlobal>
#include <optional>

// The auto-backup countdown, without widgets: whether it runs, the chosen
// interval in seconds and how far it has come. The schedule shows it
// (caption, bar, button) and ticks it once a second.
//
// By default it counts the seconds of this program run. Keeping to the
// schedule (Catch Up), it counts on the wall clock instead: the next run is
// due an interval after the last completed one, across restarts and sleep.
// A run found overdue at start-up or on waking comes a minute later, once,
// however many intervals were missed; a last run that lies in the future
// (the clock was set back) counts as now.
class Countdown {
public:
    static constexpr int CatchUpDelaySeconds = 60;

    bool isOn() const { return m_on; }
    // Switched on, the count starts again (keeping to the schedule: from the
    // last run); switched off, it stays where it was.
    void switchOn();
    void switchOff() { m_on = false; }
    // A newly chosen interval (0: none) starts the count again.
    void setInterval(int seconds);
    // After a run that did not complete: a whole interval from now.
    void restart();

    // Keeps to the schedule from lastRun (none: from now) at now, the wall
    // clock, and monotonicMs, the monotonic clock; or counts the seconds of
    // this program run again.
    void keepToSchedule(const std::optional<QDateTime>& lastRun, const QDateTime& now, qint64 monotonicMs);
    void countSeconds();
    bool keepsToSchedule() const { return m_keepsToSchedule; }
    // A run completed at when: the next is due an interval after it.
    void ran(const QDateTime& when);

    int intervalSeconds() const { return m_intervalSeconds; }
    int count() const { return m_count; }
    int secondsLeft() const { return m_intervalSeconds - m_count; }

    // One second has passed; keeping to the schedule, now and monotonicMs
    // say how much really did. True when a backup is due now.
    bool tick(const QDateTime& now = {}, qint64 monotonicMs = 0);
    // On, with an interval, and the count has reached it.
    bool isDue() const { return m_on && m_intervalSeconds > 0 && m_count >= m_intervalSeconds; }
    // Keeping to the schedule, on, and no run has completed for twice the
    // interval (at least an hour): since when, once per such stretch.
    std::optional<QDateTime> lateSince(const QDateTime& now);

private:
    // Due an interval after the last run, or a minute from now when that is past.
    void scheduleFromLastRun();
    void countTowardsDue();

    bool m_on = false;
    int m_intervalSeconds = 0;
    int m_count = 0;
    bool m_keepsToSchedule = false;
    QDateTime m_lastRun; // keeping to the schedule: the last completed run, or where counting began
    QDateTime m_due;
    QDateTime m_now; // the wall clock at the last tick
    qint64 m_monotonicMs = 0; // the monotonic clock then
    bool m_toldLate = false;
};

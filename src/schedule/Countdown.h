#pragma once

// The auto-backup countdown, without widgets: whether it runs, the chosen
// interval in seconds and the seconds counted towards it. The schedule shows
// it (caption, bar, button) and calls tick() once a second.
class Countdown {
public:
    bool isOn() const { return m_on; }
    // Switched on, the count starts again; switched off, it stays where it was.
    void switchOn()
    {
        m_on = true;
        m_count = 0;
    }
    void switchOff() { m_on = false; }
    // A newly chosen interval (0: none) starts the count again.
    void setInterval(int seconds)
    {
        m_intervalSeconds = seconds;
        m_count = 0;
    }
    // After a run: the count starts again.
    void restart() { m_count = 0; }

    int intervalSeconds() const { return m_intervalSeconds; }
    int count() const { return m_count; }
    int secondsLeft() const { return m_intervalSeconds - m_count; }

    // One second has passed: counted while on; without an interval the count
    // rests at 0. True when a backup is due now.
    bool tick()
    {
        if (!m_on)
            return false;
        // Nothing to count towards: the count rests at 0 until an interval is chosen.
        m_count = m_intervalSeconds > 0 ? m_count + 1 : 0;
        return isDue();
    }
    // On, with an interval, and the count has reached it.
    bool isDue() const { return m_on && m_intervalSeconds > 0 && m_count == m_intervalSeconds; }

private:
    bool m_on = false;
    int m_intervalSeconds = 0;
    int m_count = 0;
};

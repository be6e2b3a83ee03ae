#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QString>

// Holds the system's sleep off while a backup copies or packs, so the lid
// closing half way does not leave a run cut in two: a logind inhibitor of
// mode "delay" (sleep waits a few seconds at most, and no longer once it is
// released). Where there is no system bus, or logind refuses, nothing is held
// and the work goes on as before.
class SleepInhibitor {
public:
    // logind on the system bus.
    SleepInhibitor();
    // logind (or what stands in for it) on bus.
    explicit SleepInhibitor(QDBusConnection bus);

    // True when sleep now waits for this hold, given why.
    bool hold(const QString& why);
    void release() { m_held = QDBusUnixFileDescriptor(); }
    bool isHeld() const { return m_held.isValid(); }

private:
    QDBusConnection m_bus;
    QDBusUnixFileDescriptor m_held; // logind's end: closing it releases the hold
};

// Holds sleep off for as long as it lives (nothing without an inhibitor).
class SleepHold {
public:
    SleepHold(SleepInhibitor* inhibitor, const QString& why)
        : m_inhibitor(inhibitor && inhibitor->hold(why) ? inhibitor : nullptr)
    {
    }
    ~SleepHold()
    {
        if (m_inhibitor)
            m_inhibitor->release();
    }
    SleepHold(const SleepHold&) = delete;
    SleepHold& operator=(const SleepHold&) = delete;

private:
    SleepInhibitor* m_inhibitor;
};

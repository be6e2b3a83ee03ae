#pragma once

#include <QString>
#include <functional>

struct RunServices;

// Where a run's failures go: each into the "Application Error" box, which
// waits for OK, or, with failures noted, into the history log as a line of
// its own while the run goes on. Counts the files that failed.
class RunFailures {
public:
    // noted: each failure's history line also goes to told, when there is one.
    RunFailures(const RunServices& services, bool noted, std::function<void(const QString&)> told = {});

    // Reports one failure at a step's line label; subject names what failed
    // (a file name) in the log, and files says how many files it cost. False
    // when shutdown was asked for meanwhile: the run then stops.
    bool report(const QString& description, int lineLabel, const QString& subject, int files = 1);
    int count() const { return m_count; }
    bool noted() const { return m_noted; }
    bool stopRequested() const;

private:
    const RunServices& m_services;
    bool m_noted;
    std::function<void(const QString&)> m_told;
    int m_count = 0;
};

#pragma once

// Raised once when the program is shutting down. Everything that lets the
// event loop run while it works or waits (a backup run, the pause after
// "Backup Now", the archiver wait, a folder scan, the splash) checks it after
// every pass and returns at once, taking no further steps: the process is
// about to end and must not be kept alive by work nobody sees.
class StopRequest {
public:
    void request() { m_requested = true; }
    bool requested() const { return m_requested; }

private:
    bool m_requested = false;
};

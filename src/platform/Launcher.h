#pragma once

#include <QString>
#include <functional>

// Whether another program could be started (or, once it has ended, whether it
// did what it was asked), and if not, why.
struct LaunchResult {
    bool started = true;
    QString description; // the command that failed and the system's reason

    explicit operator bool() const { return started; }
};

// Told once the opener has ended: success, or the reason it gave for failing.
using LaunchEnded = std::function<void(const LaunchResult&)>;

// Hands folders, files and web addresses to the desktop's default program for
// them (the file manager, the text editor, the browser), without waiting.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens target, never through a shell: the target reaches the opener as
    // one argument, whatever characters it holds. The result tells whether the
    // opener started; ended, when given, is called once it has ended (later,
    // from the event loop, never from within this call).
    virtual LaunchResult openWithDefaultProgram(const QString& target, LaunchEnded ended = {}) = 0;
};

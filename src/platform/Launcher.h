#pragma once

#include <QString>

// Whether another program could be started, and if not, why.
struct LaunchResult {
    bool started = true;
    QString description; // the command that failed and the system's reason

    explicit operator bool() const { return started; }
};

// Hands folders, files and web addresses to the desktop's default program for
// them (the file manager, the text editor, the browser), without waiting.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens target, detached and never through a shell: the target reaches
    // the opener as one argument, whatever characters it holds.
    virtual LaunchResult openWithDefaultProgram(const QString& target) = 0;
};

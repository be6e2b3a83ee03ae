#pragma once

#include "platform/Launcher.h"

#include <QList>
#include <QStringList>
#include <utility>

// Records what would have been opened; starts nothing. The openers it
// "started" end when the test says so.
class FakeLauncher : public Launcher {
public:
    LaunchResult openWithDefaultProgram(const QString& target, LaunchEnded ended = {}) override
    {
        opened.append(target);
        if (!succeed)
            return { false, QStringLiteral("Cannot open \"%1\": no program to open it").arg(target) };
        running.append(std::move(ended));
        return {};
    }
    // Ends every opener still running, each with how.
    void endAll(const LaunchResult& how)
    {
        for (const LaunchEnded& ended : std::exchange(running, {})) {
            if (ended)
                ended(how);
        }
    }
    QStringList opened;
    bool succeed = true;
    QList<LaunchEnded> running;
};

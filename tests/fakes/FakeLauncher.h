#pragma once

#include "platform/Launcher.h"

#include <QStringList>

// Records what would have been opened; starts nothing.
class FakeLauncher : public Launcher {
public:
    LaunchResult openWithDefaultProgram(const QString& target) override
    {
        opened.append(target);
        if (succeed)
            return {};
        return { false, QStringLiteral("Cannot open \"%1\": no program to open it").arg(target) };
    }
    QStringList opened;
    bool succeed = true;
};

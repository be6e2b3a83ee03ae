#pragma once

#include "Launcher.h"

// Opens targets with xdg-open, the freedesktop way to reach the default program.
class ProcessLauncher : public Launcher {
public:
    LaunchResult openWithDefaultProgram(const QString& target, LaunchEnded ended = {}) override;
};

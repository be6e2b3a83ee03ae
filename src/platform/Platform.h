#pragma once

#include "Clock.h"
#include "Dialogs.h"
#include "FileSystem.h"
#include "Launcher.h"
#include "TrayIcon.h"

#include <memory>

class QWidget;

// The concrete services of this operating system, made in one place.
struct Platform {
    std::unique_ptr<FileSystem> files;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Launcher> launcher;
    std::unique_ptr<TrayIcon> tray;
};

Platform makePlatform();
std::unique_ptr<Dialogs> makeDialogs(QWidget* owner);

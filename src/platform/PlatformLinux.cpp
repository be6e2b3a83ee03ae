#include "LocalFileSystem.h"
#include "Platform.h"
#include "ProcessLauncher.h"
#include "QtDialogs.h"
#include "QtTrayIcon.h"
#include "SystemClock.h"

Platform makePlatform()
{
    return Platform { std::make_unique<LocalFileSystem>(), std::make_unique<SystemClock>(),
        std::make_unique<ProcessLauncher>(), std::make_unique<QtTrayIcon>() };
}

std::unique_ptr<Dialogs> makeDialogs(QWidget* owner)
{
    return std::make_unique<QtDialogs>(owner);
}

#include "HomePageVisit.h"

#include "platform/Clock.h"
#include "platform/Launcher.h"

#include <QRandomGenerator>
#include <memory>

void maybeVisitHomePage(const QString& address, const std::function<int()>& draw, Launcher& launcher)
{
    if (draw() == 7 && !address.isEmpty())
        launcher.openWithDefaultProgram(address);
}

std::function<int()> clockSeededDraw(const Clock& clock)
{
    const auto seed = static_cast<quint32>(clock.now().time().msecsSinceStartOfDay());
    auto generator = std::make_shared<QRandomGenerator>(seed);
    return [generator] { return static_cast<int>(generator->generateDouble() * 100) + 1; };
}

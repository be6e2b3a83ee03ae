#include "EventLoop.h"

#include <QCoreApplication>

void letEventsRun()
{
    QCoreApplication::processEvents();
}

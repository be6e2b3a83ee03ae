#include "EventLoop.h"

#include <QCoreApplication>

void LetEventsRun()
{
    QCoreApplication::processEvents();
}

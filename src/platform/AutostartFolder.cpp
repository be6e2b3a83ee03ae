#include "AutostartFolder.h"

#include <QCoreApplication>
#include <QStandardPaths>

QString autostartFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart");
}

QString programExecutable()
{
    return QCoreApplication::applicationFilePath();
}

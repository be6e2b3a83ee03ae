#pragma once

#include <QCoreApplication>
#include <QString>

// The auto-backup switch's two captions; the window starts with the first.
inline QString turnOnCaption()
{
    return QCoreApplication::translate("AutoBackupSchedule", "Turn On Auto Backup");
}

inline QString turnOffCaption()
{
    return QCoreApplication::translate("AutoBackupSchedule", "Turn Off Auto Backup");
}

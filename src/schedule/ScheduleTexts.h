#pragma once

#include <QString>

// The auto-backup switch's two captions; the window starts with the first.
inline const QString TurnOnCaption = QStringLiteral("Turn On Auto Backup");
inline const QString TurnOffCaption = QStringLiteral("Turn Off Auto Backup");

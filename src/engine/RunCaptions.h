#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The status caption a finished run leaves: "Auto Backup Complete at " and
// the date and time text. The run and the countdown both show it.
QString completionCaption(const QDateTime& when, const QLocale& locale);

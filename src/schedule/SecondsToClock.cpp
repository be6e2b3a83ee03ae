#include "SecondsToClock.h"

namespace {
constexpr int secondsPerDay = 86400;
}

QString secondsToClock(int n)
{
    // n % day lies in (-day, day), so adding a day cannot overflow.
    const int ofDay = (n % secondsPerDay + secondsPerDay) % secondsPerDay;
    const int hours = ofDay / 3600;
    const int minutes = ofDay / 60 % 60;
    const int seconds = ofDay % 60;
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

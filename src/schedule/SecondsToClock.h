#pragma once

#include <QString>

// n seconds as a time of day "hh:mm:ss"; wraps every 24 hours (86400 gives
// 00:00:00) and a negative n wraps back into the day (-1 gives 23:59:59).
QString secondsToClock(int n);

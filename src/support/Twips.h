#pragma once

#include <QtMath>

// Layout is given in twips (1/1440 inch); the screen's logical DPI turns it into pixels.
inline int twipsToPixels(int twips, int logicalDpi)
{
    return qRound(twips * logicalDpi / 1440.0);
}

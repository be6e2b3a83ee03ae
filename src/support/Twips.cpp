#include "Twips.h"

#include <QtMath>

int twipsToPixels(int twips, int logicalDpi)
{
    return qRound(twips * logicalDpi / 1440.0);
}

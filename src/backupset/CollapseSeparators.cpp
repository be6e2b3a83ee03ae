#include "CollapseSeparators.h"

QString collapseSeparators(QString path, QChar separator)
{
    return path.replace(QString(2, separator), QString(separator));
}

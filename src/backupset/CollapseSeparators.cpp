#include "CollapseSeparators.h"

QString CollapseSeparators(QString path, QChar separator)
{
    return path.replace(QString(2, separator), QString(separator));
}

#include "CollapseSeparators.h"

QString collapseSeparators(QString path)
{
    return path.replace(QStringLiteral("//"), QStringLiteral("/"));
}

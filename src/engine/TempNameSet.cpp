#include "TempNameSet.h"

QString TempNameSet::claim(const QString& name)
{
    QString free = name;
    // Each renaming starts from the previous one, so the base grows.
    for (int k = 1; m_used.contains(free); ++k) {
        const qsizetype dot = free.lastIndexOf(u'.');
        const QString number = u'_' + QString::number(k);
        free = dot < 0 ? free + number : free.left(dot) + number + free.mid(dot);
    }
    m_used.insert(free);
    return free;
}

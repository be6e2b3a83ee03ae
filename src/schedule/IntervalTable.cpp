#include "IntervalTable.h"

#include "IntervalList.h"

#include <QTreeWidget>

const QList<IntervalChoice>& intervalTable()
{
    static const QList<IntervalChoice> table {
        { QStringLiteral("Backup every 5 minutes"), 300 },
        { QStringLiteral("Backup every 10 minutes"), 600 },
        { QStringLiteral("Backup every 15 minutes"), 900 },
        { QStringLiteral("Backup every 20 minutes"), 1200 },
        { QStringLiteral("Backup every 30 minutes"), 1800 },
        { QStringLiteral("Backup every 1 hour"), 3600 },
        { QStringLiteral("Backup every 2 hours"), 7200 },
        { QStringLiteral("Backup every 4 hours"), 14400 },
        { QStringLiteral("Backup every 8 hours"), 28800 },
        { QStringLiteral("Backup every 16 hours"), 57600 },
        { QStringLiteral("Backup every 24 hours"), 86400 },
    };
    return table;
}

int intervalSeconds(const QTreeWidget& intervalList)
{
    const QTreeWidgetItem* row = selectedIntervalItem(intervalList);
    if (!row)
        return 0;
    const QString caption = row->text(0);
    for (const IntervalChoice& choice : intervalTable()) {
        if (choice.caption == caption)
            return choice.seconds;
    }
    return 0;
}

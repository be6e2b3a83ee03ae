#include "IntervalTable.h"

#include "IntervalList.h"

#include <QCoreApplication>
#include <QTreeWidget>

QList<IntervalChoice> intervalTable()
{
    // In the language of the moment: the captions are looked up each time.
    return {
        { QCoreApplication::translate("IntervalList", "Backup every 5 minutes"), 300 },
        { QCoreApplication::translate("IntervalList", "Backup every 10 minutes"), 600 },
        { QCoreApplication::translate("IntervalList", "Backup every 15 minutes"), 900 },
        { QCoreApplication::translate("IntervalList", "Backup every 20 minutes"), 1200 },
        { QCoreApplication::translate("IntervalList", "Backup every 30 minutes"), 1800 },
        { QCoreApplication::translate("IntervalList", "Backup every 1 hour"), 3600 },
        { QCoreApplication::translate("IntervalList", "Backup every 2 hours"), 7200 },
        { QCoreApplication::translate("IntervalList", "Backup every 4 hours"), 14400 },
        { QCoreApplication::translate("IntervalList", "Backup every 8 hours"), 28800 },
        { QCoreApplication::translate("IntervalList", "Backup every 16 hours"), 57600 },
        { QCoreApplication::translate("IntervalList", "Backup every 24 hours"), 86400 },
    };
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

#pragma once

#include <QList>
#include <QString>

class QTreeWidget;

// One row of the interval list: its caption and how many seconds it stands for.
struct IntervalChoice {
    QString caption;
    int seconds;
};

// The eleven intervals in list order; "OftenIndex" is the 1-based position in it.
QList<IntervalChoice> intervalTable();

// Seconds of the selected row of intervalList, found by its caption in table order;
// 0 when no row is selected or the caption is none of the table's.
int intervalSeconds(const QTreeWidget& intervalList);

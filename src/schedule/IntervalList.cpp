#include "IntervalList.h"

#include "IntervalTable.h"
#include "support/Twips.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeWidget>

namespace {
constexpr int headerWidthTwips = 4000;
} // namespace

void fillIntervalList(QTreeWidget& intervalList)
{
    intervalList.clear();
    intervalList.setColumnCount(1);
    intervalList.setHeaderLabels(
        { QCoreApplication::translate("IntervalList", "How often would you like to backup?") });
    intervalList.setColumnWidth(0, twipsToPixels(headerWidthTwips, intervalList.logicalDpiX()));
    // A flat list in insertion order: "OftenIndex" is a position in that order.
    intervalList.setRootIsDecorated(false);
    intervalList.setSortingEnabled(false);
    intervalList.setSelectionMode(QAbstractItemView::SingleSelection);
    for (const IntervalChoice& choice : intervalTable())
        intervalList.addTopLevelItem(new QTreeWidgetItem(QStringList { choice.caption }));
}

int selectedIntervalIndex(const QTreeWidget& intervalList)
{
    int firstSelected = 0;
    for (int row = 0; row < intervalList.topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = intervalList.topLevelItem(row);
        if (!item->isSelected())
            continue;
        if (item == intervalList.currentItem())
            return row + 1;
        if (firstSelected == 0)
            firstSelected = row + 1;
    }
    return firstSelected;
}

const QTreeWidgetItem* selectedIntervalItem(const QTreeWidget& intervalList)
{
    const int index = selectedIntervalIndex(intervalList);
    return index > 0 ? intervalList.topLevelItem(index - 1) : nullptr;
}

void selectIntervalRow(QTreeWidget& intervalList, int oftenIndex)
{
    intervalList.clearSelection();
    if (oftenIndex < 1 || oftenIndex > intervalList.topLevelItemCount())
        return;
    QTreeWidgetItem* item = intervalList.topLevelItem(oftenIndex - 1);
    intervalList.setCurrentItem(item);
    item->setSelected(true);
    intervalList.scrollToItem(item);
}

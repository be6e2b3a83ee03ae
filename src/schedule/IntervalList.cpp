#include "IntervalList.h"

#include "IntervalTable.h"
#include "platform/Twips.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace {
constexpr int headerWidthTwips = 4000;
} // namespace

void FillIntervalList(QTreeWidget& listView2)
{
    listView2.clear();
    listView2.setColumnCount(1);
    listView2.setHeaderLabels({ QStringLiteral("How often would you like to backup?") });
    listView2.setColumnWidth(0, TwipsToPixels(headerWidthTwips, listView2.logicalDpiX()));
    // A flat list in insertion order: "OftenIndex" is a position in that order.
    listView2.setRootIsDecorated(false);
    listView2.setSortingEnabled(false);
    listView2.setSelectionMode(QAbstractItemView::SingleSelection);
    for (const IntervalChoice& choice : IntervalTable())
        listView2.addTopLevelItem(new QTreeWidgetItem(QStringList { choice.caption }));
}

int SelectedIntervalIndex(const QTreeWidget& listView2)
{
    int firstSelected = 0;
    for (int row = 0; row < listView2.topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = listView2.topLevelItem(row);
        if (!item->isSelected())
            continue;
        if (item == listView2.currentItem())
            return row + 1;
        if (firstSelected == 0)
            firstSelected = row + 1;
    }
    return firstSelected;
}

const QTreeWidgetItem* SelectedIntervalItem(const QTreeWidget& listView2)
{
    const int index = SelectedIntervalIndex(listView2);
    return index > 0 ? listView2.topLevelItem(index - 1) : nullptr;
}

void SelectIntervalRow(QTreeWidget& listView2, int oftenIndex)
{
    listView2.clearSelection();
    if (oftenIndex < 1 || oftenIndex > listView2.topLevelItemCount())
        return;
    QTreeWidgetItem* item = listView2.topLevelItem(oftenIndex - 1);
    listView2.setCurrentItem(item);
    item->setSelected(true);
    listView2.scrollToItem(item);
}

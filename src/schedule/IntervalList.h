#pragma once

class QTreeWidget;
class QTreeWidgetItem;

// ListView2 as the interval list: filling it, and which row counts as selected.

// Gives the list its one column "How often would you like to backup?" (4000 twips
// wide) and the eleven interval captions in table order, replacing any rows it had.
void FillIntervalList(QTreeWidget& listView2);

// The selected row: the current item when it is selected, else the first selected
// row in list order (only reachable if someone allowed multiple selection);
// nullptr when no row is selected.
const QTreeWidgetItem* SelectedIntervalItem(const QTreeWidget& listView2);

// 1-based position of the selected row, 0 when none is selected.
int SelectedIntervalIndex(const QTreeWidget& listView2);

// Makes the row at the 1-based position the selected and current one; a position
// outside the list leaves no row selected.
void SelectIntervalRow(QTreeWidget& listView2, int oftenIndex);

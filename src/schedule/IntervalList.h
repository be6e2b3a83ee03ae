#pragma once

class QTreeWidget;
class QTreeWidgetItem;

// intervalList as the interval list: filling it, and which row counts as selected.

// Gives the list its one column "How often would you like to backup?" (4000 twips
// wide) and the eleven interval captions in table order, replacing any rows it had.
void fillIntervalList(QTreeWidget& intervalList);

// The selected row: the current item when it is selected, else the first selected
// row in list order (only reachable if someone allowed multiple selection);
// nullptr when no row is selected.
const QTreeWidgetItem* selectedIntervalItem(const QTreeWidget& intervalList);

// 1-based position of the selected row, 0 when none is selected.
int selectedIntervalIndex(const QTreeWidget& intervalList);

// Makes the row at the 1-based position the selected and current one; a position
// outside the list leaves no row selected.
void selectIntervalRow(QTreeWidget& intervalList, int oftenIndex);

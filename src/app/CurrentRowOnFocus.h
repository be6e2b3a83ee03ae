#pragma once

class QAbstractItemView;

// A list shows that it has the keyboard focus by a frame around its current
// row, so it needs a current row whenever it gets the focus: the selected
// row, else the first. The selection stays as it is. Qt picks one itself only
// the first time, and a list that was emptied and filled again would show no
// focus at all.
void markCurrentRowOnFocus(QAbstractItemView& list);

#include "CurrentRowOnFocus.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>

namespace {

class CurrentRowOnFocus : public QObject {
public:
    explicit CurrentRowOnFocus(QAbstractItemView& list)
        : QObject(&list)
        , m_list(list)
    {
        list.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Before the view's own handling, which draws the row it finds current.
        if (watched == &m_list && event->type() == QEvent::FocusIn)
            makeCurrent();
        return QObject::eventFilter(watched, event);
    }

private:
    void makeCurrent()
    {
        QItemSelectionModel* selection = m_list.selectionModel();
        const QAbstractItemModel* model = m_list.model();
        if (!selection || !model || selection->currentIndex().isValid())
            return;
        const QModelIndexList selected = selection->selectedRows();
        const QModelIndex row
            = selected.isEmpty() ? model->index(0, 0, m_list.rootIndex()) : selected.front();
        if (row.isValid())
            selection->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    }

    QAbstractItemView& m_list;
};

} // namespace

void markCurrentRowOnFocus(QAbstractItemView& list)
{
    new CurrentRowOnFocus(list);
}

#pragma once

#include <QObject>
#include <QStringList>

class QAbstractItemView;

// Lets a list take files and folders dropped from a file manager: data that
// is a list of file: URLs is accepted as a copy (the source keeps its files);
// anything else is refused while it is dragged, so the pointer shows that it
// cannot be dropped. The list itself never handles drops.
class ListDropTarget : public QObject {
    Q_OBJECT
public:
    // Owned by the list.
    explicit ListDropTarget(QAbstractItemView& list);

signals:
    // The dropped paths in the order the data gives them.
    void filesDropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

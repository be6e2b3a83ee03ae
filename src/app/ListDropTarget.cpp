#include "ListDropTarget.h"

#include "backupset/FolderIntake.h"

#include <QAbstractItemView>
#include <QDropEvent>

namespace {

// Never a move: a source told "moved" may delete the files the user wants backed up.
bool acceptAsCopy(QDropEvent& event)
{
    if (!event.mimeData() || !droppedFilePaths(*event.mimeData())) {
        event.setDropAction(Qt::IgnoreAction);
        event.ignore();
        return false;
    }
    const Qt::DropActions possible = event.possibleActions();
    if (possible & Qt::CopyAction)
        event.setDropAction(Qt::CopyAction);
    else if (possible & Qt::LinkAction)
        event.setDropAction(Qt::LinkAction);
    else {
        event.setDropAction(Qt::IgnoreAction);
        event.ignore();
        return false;
    }
    event.accept();
    return true;
}

} // namespace

ListDropTarget::ListDropTarget(QAbstractItemView& list)
    : QObject(&list)
{
    list.setAcceptDrops(true);
    list.viewport()->setAcceptDrops(true);
    list.viewport()->installEventFilter(this);
}

bool ListDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        acceptAsCopy(*static_cast<QDropEvent*>(event));
        return true;
    case QEvent::Drop: {
        auto& drop = *static_cast<QDropEvent*>(event);
        if (acceptAsCopy(drop))
            emit filesDropped(*droppedFilePaths(*drop.mimeData()));
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

#include "WidgetKey.h"

#include <QAction>
#include <QWidget>

void onWidgetKey(QWidget& widget, QKeySequence::StandardKey key, std::function<void()> handler)
{
    auto* action = new QAction(&widget);
    action->setShortcuts(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(action, &QAction::triggered, &widget, [handler = std::move(handler)] { handler(); });
    widget.addAction(action);
}

#pragma once

#include <QKeySequence>
#include <functional>

class QWidget;

// The key, pressed while the widget or one of its children has the focus,
// calls handler; elsewhere in the window it does what it did before.
void onWidgetKey(QWidget& widget, QKeySequence::StandardKey key, std::function<void()> handler);

#pragma once

#include <QList>

class QWidget;

// Tab goes through the widgets in the order given and Shift+Tab back, each
// widget after the one before it; the widgets share one window.
void chainTabOrder(const QList<QWidget*>& order);

#pragma once

#include <QRect>

class QWidget;

// Centres the window's outer frame on the given screen rectangle (the whole
// screen, not the work area).
void CenterForm(QWidget& window, const QRect& screenGeometry);

#pragma once

#include <QRect>

class QWidget;

// Centres the window's outer frame on the given screen rectangle (the whole
// screen, not the work area).
void centerForm(QWidget& window, const QRect& screenGeometry);

// centerForm now, and once more when the window manager has given the shown
// window its frame: before that the title bar's height is unknown, and the
// window would sit off-centre by it.
void centerFormOnceFramed(QWidget& window, const QRect& screenGeometry);

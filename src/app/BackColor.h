#pragma once

#include <QColor>

class QWidget;

// Gives a control a background colour of its own that it paints itself,
// as frames, check boxes and option buttons do. A frame shows it inside its
// line too: the style draws the line, without a shade of its own within.
void setBackColor(QWidget& control, const QColor& colour);
// The colour the control paints its background with; transparent when it paints none.
QColor backColor(const QWidget& control);

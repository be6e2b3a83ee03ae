#include "BackColor.h"

#include <QPalette>
#include <QWidget>

void setBackColor(QWidget& control, const QColor& colour)
{
    // Buttons paint their background in the button colour; these controls
    // take the window colour role instead, which is set to the wanted colour.
    control.setBackgroundRole(QPalette::Window);
    QPalette palette = control.palette();
    palette.setColor(QPalette::Window, colour);
    control.setPalette(palette);
    // Check boxes, option buttons and frames are transparent unless told to fill.
    control.setAutoFillBackground(true);
}

QColor backColor(const QWidget& control)
{
    return control.autoFillBackground() || control.isWindow()
        ? control.palette().color(control.backgroundRole())
        : QColor(Qt::transparent);
}

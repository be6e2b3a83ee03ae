#include "CenterForm.h"

#include <QWidget>
#include <QtMath>

void CenterForm(QWidget& window, const QRect& screenGeometry)
{
    const QSize outer = window.frameGeometry().size();
    const double left = (screenGeometry.width() - outer.width()) / 2.0;
    const double top = (screenGeometry.height() - outer.height()) / 2.0;
    window.move(screenGeometry.x() + qRound(left), screenGeometry.y() + qRound(top));
}

#include "ProgramIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Draws the icon on a 64 x 64 grid, scaled to the pixmap's size.
QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    QLinearGradient sky(0, 0, 0, 64);
    sky.setColorAt(0, QColor(0x2a, 0x7f, 0xa8));
    sky.setColorAt(1, QColor(0x1b, 0x4f, 0x72));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    QPainterPath page;
    page.moveTo(14, 10);
    page.lineTo(38, 10);
    page.lineTo(46, 18);
    page.lineTo(46, 54);
    page.lineTo(14, 54);
    page.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(page);

    QPainterPath fold;
    fold.moveTo(38, 10);
    fold.lineTo(38, 18);
    fold.lineTo(46, 18);
    fold.closeSubpath();
    painter.setBrush(QColor(0xc8, 0xd3, 0xdc));
    painter.drawPath(fold);

    painter.setPen(QPen(QColor(0x9a, 0xa8, 0xb4), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int y : { 26, 33, 40 })
        painter.drawLine(QPointF(19, y), QPointF(y == 40 ? 30 : 41, y));

    QPainterPath feather;
    feather.moveTo(24, 46);
    feather.cubicTo(30, 30, 42, 17, 55, 8);
    feather.cubicTo(52, 21, 44, 34, 24, 46);
    painter.setPen(QPen(QColor(0x7a, 0x4a, 0x12), 1.5));
    painter.setBrush(QColor(0xf2, 0xb1, 0x34));
    painter.drawPath(feather);

    painter.setPen(QPen(QColor(0x5a, 0x34, 0x0c), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(18, 54), QPointF(40, 28));
    return pixmap;
}

// A yellow warning triangle with "!" in the lower right of the 64 x 64 grid.
QPixmap withWarning(QPixmap pixmap)
{
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixmap.width() / 64.0, pixmap.height() / 64.0);
    QPainterPath triangle;
    triangle.moveTo(46, 26);
    triangle.lineTo(64, 62);
    triangle.lineTo(28, 62);
    triangle.closeSubpath();
    painter.setPen(QPen(QColor(0x40, 0x30, 0x00), 2));
    painter.setBrush(QColor(0xff, 0xc8, 0x1e));
    painter.drawPath(triangle);
    painter.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(46, 38), QPointF(46, 49));
    painter.drawPoint(QPointF(46, 56));
    return pixmap;
}

} // namespace

QIcon programWarningIcon()
{
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64 })
        icon.addPixmap(withWarning(drawIcon(size)));
    return icon;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addPixmap(drawIcon(size));
    return icon;
}

QIcon trayPicture(const QIcon& icon)
{
    return QIcon(icon.pixmap(16, 16));
}

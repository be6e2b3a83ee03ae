#include "BackColor.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace {

// The smallest rectangle that holds every pixel picture paints, in the
// picture's own coordinates.
QRect paintedPart(const QImage& picture)
{
    int left = picture.width();
    int right = -1;
    int top = picture.height();
    int bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Draws a frame's line only. The styles shade the inside of a group frame,
// which would lay a grey of their own between the frame's background and the
// controls on it; the line stays where the style puts it.
class FrameLineStyle : public QProxyStyle {
public:
    explicit FrameLineStyle(QObject* owner)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    {
        setParent(owner);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override
    {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // Where the style puts the frame: the part of its own picture that it paints.
        const qreal ratio = painter->device()->devicePixelRatio();
        QImage picture((QSizeF(option->rect.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        {
            QPainter styleOwn(&picture);
            styleOwn.translate(-option->rect.topLeft());
            QProxyStyle::drawPrimitive(element, option, &styleOwn, widget);
        }
        const QRect painted = paintedPart(picture);
        if (painted.isEmpty())
            return;
        const QRectF frame(
            QPointF(painted.topLeft()) / ratio + option->rect.topLeft(), QSizeF(painted.size()) / ratio);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(option->palette.color(QPalette::Window).darker(140), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        painter->restore();
    }
};

} // namespace

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
    // A frame shows that colour inside its line too, as the controls on it do.
    if (qobject_cast<QGroupBox*>(&control) && !dynamic_cast<FrameLineStyle*>(control.style()))
        control.setStyle(new FrameLineStyle(&control));
}

QColor backColor(const QWidget& control)
{
    return control.autoFillBackground() || control.isWindow()
        ? control.palette().color(control.backgroundRole())
        : QColor(Qt::transparent);
}

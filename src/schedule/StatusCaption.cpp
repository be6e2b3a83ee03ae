#include "StatusCaption.h"

#include <QCoreApplication>
#include <QGroupBox>

QEvent::Type statusCaptionChange()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void showStatusCaption(QGroupBox& frame, const QString& text)
{
    if (frame.title() == text)
        return;
    frame.setTitle(text);
    QEvent changed(statusCaptionChange());
    QCoreApplication::sendEvent(&frame, &changed);
}

#pragma once

#include <QEvent>

class QGroupBox;
class QString;

// The status caption is the title of the window's status frame. Whatever
// shows a status writes it with showStatusCaption, which then sends the frame
// an event of statusCaptionChange(): whoever follows the caption watches the
// frame for it, wherever the change came from.
QEvent::Type statusCaptionChange();
// An unchanged caption sends nothing.
void showStatusCaption(QGroupBox& frame, const QString& text);

#pragma once

#include <QIcon>

// The program's icon (window and tray): a page with a quill, drawn in code
// so that no image file or plugin is needed.
QIcon programIcon();
// The same with a warning sign over its lower right quarter: files of the
// last run could not be backed up.
QIcon programWarningIcon();
// The picture the tray takes of an icon: its 16 x 16 one.
QIcon trayPicture(const QIcon& icon);

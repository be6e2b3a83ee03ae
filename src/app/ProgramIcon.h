#pragma once

#include <QIcon>

// The program's icon (window and tray): a page with a quill, drawn in code
// so that no image file or plugin is needed.
QIcon programIcon();

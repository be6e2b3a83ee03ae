#pragma once

#include "platform/TrayWindow.h"

// The window procedure of a tray control's own window: the callback message
// goes to the control named in the window's user data, then every message
// goes on to the procedure it replaced.
qintptr TrayWindowProc(TrayWindow& window, quint32 message, quintptr wParam, qintptr lParam);

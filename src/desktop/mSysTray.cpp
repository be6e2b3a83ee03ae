#include "mSysTray.h"

#include "cSysTray.h"

qintptr TrayWindowProc(TrayWindow& window, quint32 message, quintptr wParam, qintptr lParam)
{
    auto* tray = qobject_cast<cSysTray*>(window.userData());
    if (!tray)
        return 0;
    // The handler may take the icon out; keep the procedure to pass on to.
    const TrayWindow::WindowProc previous = tray->previousWindowProc();
    if (message == cSysTray::CallbackMessage)
        tray->DispatchTrayMessage(lParam, wParam);
    return previous ? previous(window, message, wParam, lParam) : 0;
}

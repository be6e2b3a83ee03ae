#include "TrayWindow.h"

TrayWindow::TrayWindow()
    : m_proc([](TrayWindow&, quint32, quintptr, qintptr) -> qintptr { return 0; })
{
}

TrayWindow::WindowProc TrayWindow::setWindowProc(WindowProc proc)
{
    return std::exchange(m_proc, std::move(proc));
}

qintptr TrayWindow::sendMessage(quint32 message, quintptr wParam, qintptr lParam)
{
    // A copy: the procedure may replace itself while it runs.
    const WindowProc proc = m_proc;
    return proc(*this, message, wParam, lParam);
}

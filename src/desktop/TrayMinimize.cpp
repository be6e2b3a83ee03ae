#include "TrayMinimize.h"

#include "platform/TrayShell.h"

#include <QEvent>
#include <QWidget>

TrayMinimize::TrayMinimize(QWidget& window, const TrayShell& shell, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_shell(shell)
{
    m_window.installEventFilter(this);
}

bool TrayMinimize::isHiddenInTray() const
{
    // Shown again by other means, it no longer counts as in the tray.
    return m_hiddenInTray && m_window.isHidden();
}

void TrayMinimize::Form_Resize()
{
    if (!m_window.isMinimized() || m_minimizedOnce)
        return;
    m_minimizedOnce = true;
    if (!m_shell.isSystemTrayAvailable())
        return; // no tray to come back from: it stays on the taskbar
    // The window stays minimised while hidden, and is made normal as it is
    // shown again: leaving the minimised state maps an X11 window, which
    // must not happen while it is meant to be in the tray.
    m_hiddenInTray = true;
    m_window.hide();
}

void TrayMinimize::cSysTray1_MouseUp(qint16 Button, qint32 /*Id*/)
{
    if (Button != 1 || !m_window.isMinimized())
        return;
    bringBack();
}

void TrayMinimize::bringBack()
{
    m_hiddenInTray = false;
    m_window.setWindowState(m_window.windowState() & ~Qt::WindowMinimized);
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
}

bool TrayMinimize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::WindowStateChange)
        Form_Resize();
    return QObject::eventFilter(watched, event);
}

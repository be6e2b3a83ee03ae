#include "TrayMinimize.h"

#include "platform/TrayIcon.h"

#include <QEvent>
#include <QWidget>

TrayMinimize::TrayMinimize(QWidget& window, TrayIcon& icon, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_icon(icon)
{
    m_window.installEventFilter(this);
    connect(&icon, &TrayIcon::clicked, this, &TrayMinimize::trayIconClicked);
}

bool TrayMinimize::isHiddenInTray() const
{
    // Shown again by other means, it no longer counts as in the tray.
    return m_hiddenInTray && m_window.isHidden();
}

void TrayMinimize::windowStateChanged()
{
    if (!m_window.isMinimized() || m_minimizedOnce)
        return;
    m_minimizedOnce = true;
    if (!m_icon.isSystemTrayAvailable())
        return; // no tray to come back from: it stays on the taskbar
    // The window stays minimised while hidden, and is made normal as it is
    // shown again: leaving the minimised state maps an X11 window, which
    // must not happen while it is meant to be in the tray.
    m_hiddenInTray = true;
    m_window.hide();
}

void TrayMinimize::trayIconClicked(Qt::MouseButton button)
{
    if (button != Qt::LeftButton || !m_window.isMinimized())
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
        windowStateChanged();
    return QObject::eventFilter(watched, event);
}

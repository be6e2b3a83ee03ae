#include "QtTrayShell.h"

#include "TrayWindow.h"

#include <QSystemTrayIcon>

struct QtTrayShell::Entry {
    QSystemTrayIcon icon;
    quint32 callbackMessage = 0;
};

QtTrayShell::QtTrayShell() = default;
QtTrayShell::~QtTrayShell() = default;

bool QtTrayShell::isSystemTrayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtTrayShell::Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data)
{
    const Key key { data.hWnd, data.uID };
    if (message == NIM_DELETE)
        return m_icons.erase(key) == 1;
    if (message == NIM_ADD) {
        if (!data.hWnd || m_icons.count(key))
            return false;
        auto entry = std::make_unique<Entry>();
        if (data.uFlags & NIF_MESSAGE)
            entry->callbackMessage = data.uCallbackMessage;
        Entry* raw = entry.get();
        TrayWindow* window = data.hWnd;
        const quint32 id = data.uID;
        QObject::connect(&raw->icon, &QSystemTrayIcon::activated, &raw->icon,
            [window, id, raw](QSystemTrayIcon::ActivationReason reason) {
                const quint32 callback = raw->callbackMessage;
                if (!callback)
                    return;
                auto send = [&](quint32 mouse) { window->sendMessage(callback, id, mouse); };
                switch (reason) {
                case QSystemTrayIcon::Trigger:
                    send(WM_LBUTTONDOWN);
                    send(WM_LBUTTONUP);
                    break;
                case QSystemTrayIcon::DoubleClick:
                    send(WM_LBUTTONDBLCLK);
                    break;
                case QSystemTrayIcon::Context:
                    send(WM_RBUTTONDOWN);
                    send(WM_RBUTTONUP);
                    break;
                case QSystemTrayIcon::MiddleClick:
                    send(WM_MBUTTONDOWN);
                    send(WM_MBUTTONUP);
                    break;
                case QSystemTrayIcon::Unknown:
                    break;
                }
            });
        m_icons.emplace(key, std::move(entry));
    }
    const auto found = m_icons.find(key);
    if (found == m_icons.end())
        return false;
    QSystemTrayIcon& icon = found->second->icon;
    if (data.uFlags & NIF_ICON)
        icon.setIcon(data.hIcon);
    if (data.uFlags & NIF_TIP)
        icon.setToolTip(data.szTip);
    // An icon without a picture cannot be shown; it appears once it has one.
    icon.setVisible(!icon.icon().isNull());
    return true;
}

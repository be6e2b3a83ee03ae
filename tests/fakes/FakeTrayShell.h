#pragma once

#include "platform/TrayShell.h"
#include "platform/TrayWindow.h"

#include <QList>

// The notification area as tests see it: records every call and its record,
// keeps the registered icon, and lets a test deliver the mouse messages a
// real shell would send back to the icon's window.
class FakeTrayShell : public TrayShell {
public:
    struct Call {
        NotifyIconMessage message;
        NotifyIconData data;
    };

    bool Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) override
    {
        calls.append({ message, data });
        if (message == NIM_ADD)
            registered = data;
        else if (message == NIM_DELETE)
            registered = {};
        else if (data.uFlags & NIF_ICON)
            registered.hIcon = data.hIcon;
        else if (data.uFlags & NIF_TIP)
            registered.szTip = data.szTip;
        return true;
    }
    bool isSystemTrayAvailable() const override { return available; }

    // What the shell sends when the mouse acts on the registered icon.
    void mouse(quint32 mouseMessage)
    {
        if (registered.hWnd)
            registered.hWnd->sendMessage(registered.uCallbackMessage, registered.uID, mouseMessage);
    }
    // A left click: press and release.
    void leftClick()
    {
        mouse(WM_LBUTTONDOWN);
        mouse(WM_LBUTTONUP);
    }

    QList<Call> calls;
    NotifyIconData registered; // hWnd null: no icon
    bool available = true;
};

#pragma once

#include <QIcon>
#include <QString>
#include <QtGlobal>

class TrayWindow;

// The notification area, addressed the way the shell is: a record naming the
// window, the icon id and what to change. Mouse activity over an icon comes
// back to its window as the callback message, with the icon id in wParam and
// the mouse message (512-518) in lParam.
enum NotifyIconMessage : quint32 { NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2 };
enum NotifyIconFlag : quint32 { NIF_MESSAGE = 1, NIF_ICON = 2, NIF_TIP = 4 };
enum TrayMouseMessage : quint32 {
    WM_MOUSEMOVE = 512,
    WM_LBUTTONDOWN = 513,
    WM_LBUTTONUP = 514,
    WM_LBUTTONDBLCLK = 515,
    WM_RBUTTONDOWN = 516,
    WM_RBUTTONUP = 517,
    WM_RBUTTONDBLCLK = 518,
    WM_MBUTTONDOWN = 519,
    WM_MBUTTONUP = 520,
};

struct NotifyIconData {
    quint32 cbSize = 88;
    TrayWindow* hWnd = nullptr;
    quint32 uID = 0;
    quint32 uFlags = 0;
    quint32 uCallbackMessage = 0;
    QIcon hIcon;
    QString szTip; // at most 63 characters
};

class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual bool Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) = 0;
    // False where the desktop shows no notification area (a hidden window
    // could not be brought back there).
    virtual bool isSystemTrayAvailable() const = 0;
};

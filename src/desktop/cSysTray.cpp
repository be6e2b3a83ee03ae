#include "cSysTray.h"

#include "mSysTray.h"

cSysTray::cSysTray(TrayShell& shell, bool userMode, QObject* parent)
    : QObject(parent)
    , m_shell(shell)
    , m_userMode(userMode)
{
}

cSysTray::~cSysTray()
{
    // The icon goes with the control; nobody is left to hear of the change.
    if (m_added)
        removeIcon();
}

void cSysTray::applyProperties(const TrayProperties& stored)
{
    setInTray(stored.InTray);
    setTrayIcon(stored.TrayIcon);
    setTrayTip(stored.TrayTip);
}

void cSysTray::setInTray(bool Show)
{
    if (Show == m_inTray)
        return;
    if (Show && m_userMode) {
        m_previousProc = m_window.setWindowProc(&TrayWindowProc);
        m_window.setUserData(this);
        AddIcon(m_window, m_id, m_trayTip, m_trayIcon);
        m_added = true;
    } else if (!Show && m_added) {
        removeIcon();
    }
    m_inTray = Show;
    emit propertyChanged(QStringLiteral("InTray"));
}

void cSysTray::removeIcon()
{
    DeleteIcon(m_window, m_id);
    m_window.setWindowProc(m_previousProc);
    m_window.setUserData(nullptr);
    m_added = false;
}

void cSysTray::setTrayIcon(const TrayPicture& Icon)
{
    if (Icon.type != TrayPicture::Icon || Icon.image.isNull())
        return;
    if (m_added) {
        NotifyIconData data = record(NIF_ICON);
        data.hIcon = Icon.image;
        m_shell.Shell_NotifyIcon(NIM_MODIFY, data);
    }
    m_trayIcon = Icon;
    emit propertyChanged(QStringLiteral("TrayIcon"));
}

void cSysTray::setTrayTip(const QString& Tip)
{
    if (m_added) {
        // An empty tip is sent too: it clears the tooltip.
        NotifyIconData data = record(NIF_TIP);
        data.szTip = TrayTipField(Tip);
        m_shell.Shell_NotifyIcon(NIM_MODIFY, data);
    }
    m_trayTip = Tip;
    emit propertyChanged(QStringLiteral("TrayTip"));
}

void cSysTray::DispatchTrayMessage(qintptr lParam, quintptr wParam)
{
    const auto Id = static_cast<qint32>(wParam);
    switch (lParam) {
    case WM_MOUSEMOVE:
        emit MouseMove(Id);
        break;
    case WM_LBUTTONDOWN:
        emit MouseDown(1, Id);
        break;
    case WM_LBUTTONUP:
        emit MouseUp(1, Id);
        break;
    case WM_LBUTTONDBLCLK:
        emit MouseDblClick(1, Id);
        break;
    case WM_RBUTTONDOWN:
        emit MouseDown(2, Id);
        break;
    case WM_RBUTTONUP:
        emit MouseUp(2, Id);
        break;
    case WM_RBUTTONDBLCLK:
        emit MouseDblClick(2, Id);
        break;
    default:
        break; // the middle button and anything else raise nothing
    }
}

void cSysTray::AddIcon(TrayWindow& window, quint32 id, const QString& tip, const TrayPicture& icon)
{
    NotifyIconData data;
    if (!icon.image.isNull()) {
        data.hIcon = icon.image;
        data.uFlags |= NIF_ICON;
        m_trayIcon = icon;
    }
    if (!tip.isEmpty()) {
        data.szTip = TrayTipField(tip);
        data.uFlags |= NIF_TIP;
        m_trayTip = tip;
    }
    data.uCallbackMessage = CallbackMessage;
    data.uFlags |= NIF_MESSAGE;
    data.hWnd = &window;
    data.uID = id;
    m_shell.Shell_NotifyIcon(NIM_ADD, data);
}

void cSysTray::DeleteIcon(TrayWindow& window, quint32 id)
{
    NotifyIconData data;
    data.hWnd = &window;
    data.uID = id;
    m_shell.Shell_NotifyIcon(NIM_DELETE, data);
}

NotifyIconData cSysTray::record(quint32 flags) const
{
    NotifyIconData data;
    data.hWnd = const_cast<TrayWindow*>(&m_window);
    data.uID = m_id;
    data.uFlags = flags;
    return data;
}

QString TrayTipField(const QString& tip)
{
    if (tip.size() <= cSysTray::TipLength)
        return tip;
    // Never split a character made of two UTF-16 units.
    const int cut
        = tip.at(cSysTray::TipLength - 1).isHighSurrogate() ? cSysTray::TipLength - 1 : cSysTray::TipLength;
    return tip.left(cut);
}

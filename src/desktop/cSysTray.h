#pragma once

#include "platform/TrayShell.h"
#include "platform/TrayWindow.h"

#include <QIcon>
#include <QObject>
#include <QString>

// A picture as a host hands it over; only icons go into the notification area.
struct TrayPicture {
    enum Type { None = 0, Bitmap = 1, Metafile = 2, Icon = 3 };
    Type type = None;
    QIcon image;
};

// The stored properties of a tray control, applied in this order when its
// host is created.
struct TrayProperties {
    bool InTray = false;
    TrayPicture TrayIcon;
    QString TrayTip = QStringLiteral("Telnet Server");
};

// One icon in the notification area. It registers, changes and removes the
// icon through the shell, serves the shell's callback message on its own
// window, and turns each mouse message into one of four events.
class cSysTray : public QObject {
    Q_OBJECT
public:
    static constexpr quint32 CallbackMessage = 1125; // WM_USER + 101
    static constexpr int TipLength = 63;

    // userMode: the host is running (not a design surface); only then does
    // InTray reach the shell.
    explicit cSysTray(TrayShell& shell, bool userMode = true, QObject* parent = nullptr);
    ~cSysTray() override;

    // InTray, TrayIcon, TrayTip, in that order.
    void applyProperties(const TrayProperties& stored);

    bool InTray() const { return m_inTray; }
    void setInTray(bool Show);
    const TrayPicture& TrayIcon() const { return m_trayIcon; }
    // Anything but an icon, and an empty picture, is ignored.
    void setTrayIcon(const TrayPicture& Icon);
    const QString& TrayTip() const { return m_trayTip; }
    void setTrayTip(const QString& Tip);

    // The control's own window: the target of the shell's callback messages.
    TrayWindow& window() { return m_window; }

    // Raises the event that belongs to a mouse message of the callback.
    void DispatchTrayMessage(qintptr lParam, quintptr wParam);
    // The window procedure replaced when the icon was added (mSysTray passes every message on to it).
    const TrayWindow::WindowProc& previousWindowProc() const { return m_previousProc; }

signals:
    void MouseMove(qint32 Id);
    void MouseDown(qint16 Button, qint32 Id);
    void MouseUp(qint16 Button, qint32 Id);
    void MouseDblClick(qint16 Button, qint32 Id);
    // A property changed, so the host's stored properties are to be rewritten.
    void propertyChanged(const QString& name);

private:
    void AddIcon(TrayWindow& window, quint32 id, const QString& tip, const TrayPicture& icon);
    void DeleteIcon(TrayWindow& window, quint32 id);
    void removeIcon();
    NotifyIconData record(quint32 flags) const;

    TrayShell& m_shell;
    bool m_userMode;
    TrayWindow m_window;
    TrayWindow::WindowProc m_previousProc;
    bool m_inTray = false;
    TrayPicture m_trayIcon;
    QString m_trayTip; // the stored or default tip comes with applyProperties
    const quint32 m_id = 0;
    bool m_added = false;
};

// The tip as the shell's 64-character field holds it: cut to 63 characters.
QString TrayTipField(const QString& tip);

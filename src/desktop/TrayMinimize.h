#pragma once

#include <QObject>

class QWidget;
class TrayShell;

// The main window's side of the tray: the first minimise of a run hides the
// window in the tray, and a left-button release on the tray icon brings a
// minimised or hidden window back in its normal size. Where the desktop has
// no notification area the window is never hidden, only minimised, so the
// user can always get it back from the taskbar.
class TrayMinimize : public QObject {
    Q_OBJECT
public:
    // Watches window's state changes (its resize handler).
    TrayMinimize(QWidget& window, const TrayShell& shell, QObject* parent = nullptr);

    // Hidden by the first minimise and not shown since (it counts as minimised meanwhile).
    bool isHiddenInTray() const;
    bool MinimizedOnce() const { return m_minimizedOnce; }

    void Form_Resize();
    void cSysTray1_MouseUp(qint16 Button, qint32 Id);
    // Shows the window in its normal size and in front, out of the tray or
    // the taskbar as the case may be.
    void bringBack();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    const TrayShell& m_shell;
    bool m_minimizedOnce = false;
    bool m_hiddenInTray = false;
};

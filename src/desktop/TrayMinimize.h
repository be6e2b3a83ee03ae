#pragma once

#include <QObject>

class QWidget;
class TrayIcon;

// The main window's side of the tray: the first minimise of a run hides the
// window in the tray, and a left click on the tray icon brings a minimised
// or hidden window back in its normal size. Where the desktop has
// no notification area the window is never hidden, only minimised, so the
// user can always get it back from the taskbar.
class TrayMinimize : public QObject {
    Q_OBJECT
public:
    // Watches window's state changes and the icon's clicks.
    TrayMinimize(QWidget& window, TrayIcon& icon, QObject* parent = nullptr);

    // Hidden by the first minimise and not shown since (it counts as minimised meanwhile).
    bool isHiddenInTray() const;
    bool minimizedOnce() const { return m_minimizedOnce; }

    void windowStateChanged();
    void trayIconClicked(Qt::MouseButton button);
    // Shows the window in its normal size and in front, out of the tray or
    // the taskbar as the case may be.
    void bringBack();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    const TrayIcon& m_icon;
    bool m_minimizedOnce = false;
    bool m_hiddenInTray = false;
};

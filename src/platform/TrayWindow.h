#pragma once

#include <QObject>
#include <QPointer>
#include <QtGlobal>
#include <functional>

// A window as the notification area sees it: the target of the shell's
// callback messages. Its window procedure can be replaced (subclassing), and
// it carries one user-data slot that names the object serving it.
class TrayWindow {
public:
    using WindowProc
        = std::function<qintptr(TrayWindow& window, quint32 message, quintptr wParam, qintptr lParam)>;

    TrayWindow();

    // Installs proc and returns the procedure it replaces.
    WindowProc setWindowProc(WindowProc proc);
    void setUserData(QObject* data) { m_userData = data; }
    QObject* userData() const { return m_userData; }

    // Delivers a message to the window procedure now and returns its result.
    qintptr sendMessage(quint32 message, quintptr wParam, qintptr lParam);

private:
    WindowProc m_proc;
    QPointer<QObject> m_userData;
};

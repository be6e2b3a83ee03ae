#include "QtTrayIcon.h"

QtTrayIcon::QtTrayIcon(QObject* parent)
    : TrayIcon(parent)
{
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            emit clicked(Qt::LeftButton);
            break;
        case QSystemTrayIcon::Context:
            emit clicked(Qt::RightButton);
            break;
        case QSystemTrayIcon::MiddleClick:
            emit clicked(Qt::MiddleButton);
            break;
        case QSystemTrayIcon::DoubleClick:
        case QSystemTrayIcon::Unknown:
            break;
        }
    });
}

void QtTrayIcon::setIcon(const QIcon& icon)
{
    m_icon.setIcon(icon);
}

void QtTrayIcon::setToolTip(const QString& tip)
{
    m_icon.setToolTip(tip);
}

void QtTrayIcon::show()
{
    m_icon.show();
}

void QtTrayIcon::hide()
{
    m_icon.hide();
}

void QtTrayIcon::showMessage(const QString& title, const QString& text)
{
    // Goes through the desktop's notification service, tray or no tray.
    m_icon.showMessage(title, text, QSystemTrayIcon::Warning);
}

bool QtTrayIcon::isSystemTrayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

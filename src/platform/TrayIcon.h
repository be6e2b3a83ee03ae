#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

// The program's icon in the desktop's notification area, shaped like
// QSystemTrayIcon: a picture, a tooltip, shown or hidden, and a click.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void setIcon(const QIcon& icon) = 0;
    virtual void setToolTip(const QString& tip) = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    // False where the desktop shows no notification area (a window hidden
    // there could not be brought back).
    virtual bool isSystemTrayAvailable() const = 0;
    // A desktop notification from the icon, with a warning sign.
    virtual void showMessage(const QString& title, const QString& text) = 0;

signals:
    // A single click on the icon; a double click is not one.
    void clicked(Qt::MouseButton button);
};

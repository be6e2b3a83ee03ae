#pragma once

#include "platform/TrayIcon.h"

#include <QStringList>

// The notification area as tests see it: keeps what the icon was given and
// lets a test click it.
class FakeTrayIcon : public TrayIcon {
public:
    void setIcon(const QIcon& picture) override
    {
        icon = picture;
        calls << QStringLiteral("icon");
    }
    void setToolTip(const QString& tip) override
    {
        toolTip = tip;
        calls << QStringLiteral("tip:") + tip;
    }
    void show() override
    {
        visible = true;
        calls << QStringLiteral("show");
    }
    void hide() override
    {
        visible = false;
        calls << QStringLiteral("hide");
    }
    bool isSystemTrayAvailable() const override { return available; }
    void showMessage(const QString& title, const QString& text) override
    {
        calls << QStringLiteral("message:") + title + u':' + text;
    }

    void click(Qt::MouseButton button) { emit clicked(button); }

    QIcon icon;
    QString toolTip;
    bool visible = false;
    bool available = true;
    QStringList calls;
};

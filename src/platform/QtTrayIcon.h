#pragma once

#include "TrayIcon.h"

#include <QSystemTrayIcon>

// The tray icon through QSystemTrayIcon.
class QtTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    explicit QtTrayIcon(QObject* parent = nullptr);

    void setIcon(const QIcon& icon) override;
    void setToolTip(const QString& tip) override;
    void show() override;
    void hide() override;
    bool isSystemTrayAvailable() const override;
    void showMessage(const QString& title, const QString& text) override;

private:
    QSystemTrayIcon m_icon;
};

#pragma once

#include "TrayShell.h"

#include <map>
#include <memory>
#include <utility>

class QSystemTrayIcon;

// The notification area of the desktop through QSystemTrayIcon. A left click
// arrives as a button press and release, a double click as a double-click
// message, a right click as a right press and release, a middle click as
// middle-button messages.
class QtTrayShell : public TrayShell {
public:
    QtTrayShell();
    ~QtTrayShell() override;
    bool Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) override;
    bool isSystemTrayAvailable() const override;

private:
    using Key = std::pair<TrayWindow*, quint32>;
    struct Entry;
    std::map<Key, std::unique_ptr<Entry>> m_icons;
};

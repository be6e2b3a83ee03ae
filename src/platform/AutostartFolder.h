#pragma once

#include <QString>

// The user's autostart folder of the freedesktop desktops: $XDG_CONFIG_HOME/autostart,
// by default ~/.config/autostart. Entries there start with the desktop session.
QString autostartFolder();
// The running program's own executable, with its full path: what a login entry starts.
QString programExecutable();

#pragma once

#include <QStringView>

// True when name matches a file-search pattern as the folder scan applies it:
// "*" stands for any run of characters, "?" for exactly one, letter case is
// ignored, every other character stands for itself (no brackets, no escapes),
// and "*.*" matches every name, with or without a dot.
bool matchesWildcard(QStringView name, QStringView pattern);

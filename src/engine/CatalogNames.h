#pragma once

#include <QString>
#include <utility>

// How the catalog finds a copy by its name in its folder.

// A name's key for the index: the same for every spelling a folder that
// ignores letter case takes as one name (names are compared in full too).
qint64 nameKey(const QString& name);
bool sameName(const QString& a, const QString& b, bool ignoresCase);
// A path's folder (with its trailing "/") and name.
std::pair<QString, QString> splitPath(const QString& path);

#pragma once

#include <QString>

// A backup name longer than its file system allows could never be written.
// Shortens the part of destination's file name that comes from base (which
// the name starts with) by whole characters from its end, so that the name
// fits in limitBytes of UTF-8 with its stamp and extension whole. Returns
// destination unchanged when it fits, or when even an empty base would not.
QString fitNameToLimit(const QString& destination, const QString& base, int limitBytes);

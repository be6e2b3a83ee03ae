#pragma once

#include <QString>

// Replaces every pair of consecutive separators in path by one, left to
// right in one pass (so "///" becomes "//"), as joining a name to a root
// folder's path needs.
QString collapseSeparators(QString path);

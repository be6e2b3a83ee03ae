#pragma once

#include <QChar>
#include <QString>

// The separator between folder names in the paths this program handles.
inline constexpr QChar NativeSeparator = u'/';

// Text after the last separator (the whole text when there is none).
QString fileNameOf(const QString& path);
// Text after the last "." of the file name; empty when the name has no ".".
// Only the file name is searched, so a dot in a folder name never makes the
// extension (which would put a separator into a backup's name).
QString extensionOf(const QString& path);
// Every piece of the path but the last, each followed by the separator:
// /home/ann/report.doc gives /home/ann/.
QString sourceFolderOf(const QString& path);
// name + "." + extension, or the name alone when there is no extension.
QString withExtension(const QString& name, const QString& extension);

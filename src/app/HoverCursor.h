#pragma once

#include <QCursor>
#include <QString>
#include <optional>

class FileSystem;

// The hover pointer's image: the cursor file HAND-M.CUR of the program
// folder, with the hot spot the file names. Nothing when the file is missing
// or cannot be read as an image. FileSystem only tells whether the file is
// there; the file itself is read here with QFile and Qt's image reader, which
// turn it into a picture, something no file operation of the program does.
std::optional<QCursor> loadHoverCursor(const FileSystem& files, const QString& programFolder);

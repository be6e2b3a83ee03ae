#pragma once

#include <QString>

class FileSystem;

// True when the last-modification time of path can be read; every failure is false.
bool fileExists(const FileSystem& files, const QString& path);

#pragma once

#include <QString>

class FileSystem;
class MainWindowLayout;

// When the skin file x/o.cjs lies in the program folder, the window and its
// frames, labels, check boxes and option buttons take the colour scheme's
// button colour instead of white. Without the file nothing changes.
void applyAppearance(MainWindowLayout& form, const FileSystem& files, const QString& programFolder);

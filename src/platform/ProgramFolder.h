#pragma once

#include <QString>

// The folder that holds the running program and its companion files
// (history.txt, list.txt, temp, the archiver, the hover cursor, Splash).
QString programFolder();

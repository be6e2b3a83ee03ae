#pragma once

#include <QString>

class Dialogs;
class FileSystem;

// Where the login entry goes and what it starts: the program's own
// executable (never another program of its folder, such as the archiver).
struct LoginStartPlace {
    FileSystem& files;
    QString autostartFolder;
    QString executablePath;
};

// Make the desktop session start the program, or no longer. A failure is told
// in one message box naming the file and the reason; the option keeps the
// user's choice either way.
void enableLoginStart(const LoginStartPlace& place, Dialogs& dialogs);
void disableLoginStart(const LoginStartPlace& place, Dialogs& dialogs);

#pragma once

#include <QString>

class Dialogs;
class Launcher;
class QObject;

// How the program uses its dialogs alike everywhere: the error box of the
// routines that number their steps, the folder chooser, and the box that tells
// why the desktop could not open something.

// The error trap of the routines that number their steps: a modal box titled
// "Application Error" with the exclamation icon, holding the failure's
// description, then "in " + routine + " at line " + label, and any note after it.
void showApplicationError(Dialogs& dialogs, const QString& description, const QString& routine, int lineLabel,
    const QString& note = QString());

// Shows the folder chooser with the given title, opened at startFolder when
// one is given. Returns the chosen folder as the system reports it (the root
// keeps its "/", other folders have none), or "" when the user cancels.
// Callers add their own separator.
QString browseForFolder(Dialogs& dialogs, const QString& title, const QString& startFolder = QString());

// Hands target to the desktop's default program for it. When the opener cannot
// start, or ends with a failure, a box says so, with the opener's reason: the
// latter comes later, and only while requester is still there.
void openShowingFailures(Launcher& launcher, Dialogs& dialogs, const QString& target,
    const QObject* requester, const QString& caption = QStringLiteral("Quillstead"));

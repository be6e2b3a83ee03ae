#pragma once

#include <QString>

class Dialogs;

// How the program uses its dialogs alike everywhere: the error box of the
// routines that number their steps, and the folder chooser.

// The error trap of the routines that number their steps: a modal box titled
// "Application Error" with the exclamation icon, holding the failure's
// description, then "in " + routine + " at line " + label, and any note after it.
void showApplicationError(Dialogs& dialogs, const QString& description, const QString& routine, int lineLabel,
    const QString& note = QString());

// Shows the folder chooser with the given title. Returns the chosen folder as
// the system reports it (the root keeps its "/", other folders have none), or
// "" when the user cancels. Callers add their own separator.
QString browseForFolder(Dialogs& dialogs, const QString& title);

#pragma once

#include <QString>

class Dialogs;

// The error trap of the routines that number their steps: a modal box titled
// "Application Error" with the exclamation icon, holding the failure's
// description, then "in " + routine + " at line " + label, and any note after it.
void showApplicationError(Dialogs& dialogs, const QString& description, const QString& routine, int lineLabel,
    const QString& note = QString());

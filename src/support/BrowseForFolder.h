#pragma once

#include <QString>

class Dialogs;

// Shows the folder chooser with the given title. Returns the chosen folder as
// the system reports it (the root keeps its "/", other folders have none), or
// "" when the user cancels. Callers add their own separator.
QString browseForFolder(Dialogs& dialogs, const QString& title);

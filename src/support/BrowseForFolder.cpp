#include "support/BrowseForFolder.h"

#include "platform/Dialogs.h"

QString browseForFolder(Dialogs& dialogs, const QString& title)
{
    QString folder = dialogs.browseForFolder(title);
    // A path ends at its first NUL, whatever a dialog may put after it.
    const qsizetype end = folder.indexOf(QChar(u'\0'));
    if (end >= 0)
        folder.truncate(end);
    return folder;
}

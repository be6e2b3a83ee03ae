#include "DialogHelpers.h"

#include "platform/Dialogs.h"

void showApplicationError(
    Dialogs& dialogs, const QString& description, const QString& routine, int lineLabel, const QString& note)
{
    dialogs.showMessage(QStringLiteral("Application Error"),
        description + QStringLiteral("\r\nin %1 at line %2").arg(routine).arg(lineLabel) + note,
        MessageIcon::Exclamation);
}

QString browseForFolder(Dialogs& dialogs, const QString& title)
{
    QString folder = dialogs.browseForFolder(title);
    // A path ends at its first NUL, whatever a dialog may put after it.
    const qsizetype end = folder.indexOf(QChar(u'\0'));
    if (end >= 0)
        folder.truncate(end);
    return folder;
}

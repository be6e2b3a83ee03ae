#include "ApplicationError.h"

#include "platform/Dialogs.h"

void showApplicationError(
    Dialogs& dialogs, const QString& description, const QString& routine, int lineLabel, const QString& note)
{
    dialogs.showMessage(QStringLiteral("Application Error"),
        description + QStringLiteral("\r\nin %1 at line %2").arg(routine).arg(lineLabel) + note,
        MessageIcon::Exclamation);
}

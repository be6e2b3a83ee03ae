#include "LoginStart.h"

#include <QCoreApplication>

#include "AutostartEntry.h"
#include "platform/Dialogs.h"

void enableLoginStart(const LoginStartPlace& place, Dialogs& dialogs)
{
    if (place.executablePath.isEmpty())
        return;
    const FileResult written = writeAutostartEntry(place.autostartFolder, place.executablePath);
    if (!written)
        dialogs.showMessage(QStringLiteral("Quillstead"),
            QCoreApplication::translate(
                "LoginStart", "Quillstead will not start at login: its login entry could not be written.\n%1")
                .arg(written.description),
            MessageIcon::Exclamation);
}

void disableLoginStart(const LoginStartPlace& place, Dialogs& dialogs)
{
    if (place.executablePath.isEmpty())
        return;
    const FileResult removed = removeAutostartEntry(place.files, place.autostartFolder, place.executablePath);
    if (!removed)
        dialogs.showMessage(QStringLiteral("Quillstead"),
            QCoreApplication::translate("LoginStart",
                "Quillstead will still start at login: its login entry could not be removed.\n%1")
                .arg(removed.description),
            MessageIcon::Exclamation);
}

#include "mStartUp.h"

#include "RegStuff.h"
#include "platform/Dialogs.h"

void EnableStartup(const StartupPlace& place, Dialogs& dialogs)
{
    if (place.executablePath.isEmpty())
        return;
    const FileResult written = AddRunEntry(place.autostartFolder, place.executablePath);
    if (!written)
        dialogs.showMessage(QStringLiteral("Quillstead"),
            QStringLiteral("Quillstead will not start at login: its login entry could not be written.\n%1")
                .arg(written.description),
            MessageIcon::Exclamation);
}

void DisableStartup(const StartupPlace& place, Dialogs& dialogs)
{
    if (place.executablePath.isEmpty())
        return;
    const FileResult removed = RemoveRunEntry(place.files, place.autostartFolder, place.executablePath);
    if (!removed)
        dialogs.showMessage(QStringLiteral("Quillstead"),
            QStringLiteral("Quillstead will still start at login: its login entry could not be removed.\n%1")
                .arg(removed.description),
            MessageIcon::Exclamation);
}

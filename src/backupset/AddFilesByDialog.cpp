#include "AddFilesByDialog.h"

#include <QCoreApplication>

#include "BackupSetIntake.h"
#include "HasBadCharacters.h"
#include "platform/Dialogs.h"

void addFilesByDialog(Dialogs& dialogs, const FileSystem& files, BackupSetIntake& intake)
{
    const QStringList picked = dialogs.openFiles(
        QCoreApplication::translate("AddFilesByDialog", "Add File(s) - Hold Ctrl to select multiple files"),
        QCoreApplication::translate("AddFilesByDialog", "All Files (*.*)|*.*|"));
    QStringList good;
    for (const QString& path : picked) {
        if (!leftOutForName(intake, files, path))
            good.append(path);
    }
    intake.addAll(good);
}

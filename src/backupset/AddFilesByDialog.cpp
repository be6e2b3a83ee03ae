#include "AddFilesByDialog.h"

#include "BackupSetIntake.h"
#include "HasBadCharacters.h"
#include "platform/Dialogs.h"

void addFilesByDialog(Dialogs& dialogs, const FileSystem& files, BackupSetIntake& intake)
{
    const QStringList picked
        = dialogs.openFiles(QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"),
            QStringLiteral("All Files (*.*)|*.*|"));
    QStringList good;
    for (const QString& path : picked) {
        if (!leftOutForName(intake, files, path))
            good.append(path);
    }
    intake.addAll(good);
}

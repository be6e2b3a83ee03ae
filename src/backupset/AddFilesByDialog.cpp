#include "AddFilesByDialog.h"

#include "BackupSetIntake.h"
#include "HasBadCharacters.h"
#include "platform/Dialogs.h"

void AddFilesByDialog(Dialogs& dialogs, const FileSystem& files, BackupSetIntake& intake)
{
    const QStringList picked
        = dialogs.openFiles(QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"),
            QStringLiteral("All Files (*.*)|*.*|"));
    for (const QString& path : picked) {
        if (HasBadCharacters(files, path)) {
            dialogs.showMessage(QStringLiteral("Quillstead"),
                path + QStringLiteral("\r\rwas not added because it has bad characters in the filename."),
                MessageIcon::Information);
            continue;
        }
        intake.add(path);
    }
}

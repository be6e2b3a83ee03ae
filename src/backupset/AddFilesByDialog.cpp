#include "AddFilesByDialog.h"

#include "BackupSetIntake.h"
#include "CollapseSeparators.h"
#include "HasBadCharacters.h"
#include "platform/Dialogs.h"

void AddFilesByDialog(Dialogs& dialogs, const FileSystem& files, BackupSetIntake& intake)
{
    const QStringList picked
        = dialogs.openFiles(QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"),
            QStringLiteral("All Files (*.*)|*.*|"));
    for (const QString& path : picked) {
        if (!RefusedAsBadName(dialogs, files, path))
            intake.add(path);
    }
}

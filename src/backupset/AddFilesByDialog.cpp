#include "AddFilesByDialog.h"

#include "BackupSetIntake.h"
#include "CollapseSeparators.h"
#include "HasBadCharacters.h"
#include "platform/Dialogs.h"

QStringList SelectedPaths(const QString& dialogResult, QChar separator)
{
    if (dialogResult.isEmpty())
        return {};
    const QStringList pieces = dialogResult.split(QChar(u'\0'));
    if (pieces.size() == 1)
        return pieces;
    QStringList paths;
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        // Joining to the root folder doubles its separator; one pass over the
        // whole path repairs it.
        paths << CollapseSeparators(pieces[0] + separator + pieces[i], separator);
    }
    return paths;
}

void AddFilesByDialog(Dialogs& dialogs, const FileSystem& files, BackupSetIntake& intake)
{
    const QString result
        = dialogs.openFiles(QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"),
            QStringLiteral("All Files (*.*)|*.*|"));
    for (const QString& path : SelectedPaths(result)) {
        if (!RefusedAsBadName(dialogs, files, path))
            intake.add(path);
    }
}

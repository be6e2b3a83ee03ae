#include "AtomicWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

FileResult writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    // When the folder cannot be made, opening the file tells why.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return FileResult::failure(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    return FileResult::success();
}

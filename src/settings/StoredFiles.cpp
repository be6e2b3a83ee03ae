#include "StoredFiles.h"

namespace {

// Only the blank counts here: a piece of tabs is an (odd) entry of its own.
bool onlyBlanks(const QString& piece)
{
    for (QChar c : piece) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

} // namespace

QString encodeFiles(const QStringList& entries)
{
    qsizetype length = 0;
    for (const QString& entry : entries)
        length += entry.size() + 1;
    QString stored;
    stored.reserve(length);
    for (const QString& entry : entries) {
        stored += entry;
        stored += QLatin1Char(';');
    }
    return stored;
}

QStringList decodeFiles(const QString& stored)
{
    QStringList entries;
    if (stored.isEmpty())
        return entries;
    const QStringList pieces = stored.split(QLatin1Char(';'), Qt::KeepEmptyParts);
    for (const QString& piece : pieces) {
        if (!onlyBlanks(piece))
            entries.append(piece);
    }
    return entries;
}

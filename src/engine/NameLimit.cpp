#include "NameLimit.h"

#include "PathPieces.h"

namespace {

qsizetype utf8Length(QStringView text)
{
    return text.toUtf8().size();
}

} // namespace

QString fitNameToLimit(const QString& destination, const QString& base, int limitBytes)
{
    const QString name = fileNameOf(destination);
    if (utf8Length(name) <= limitBytes || !name.startsWith(base))
        return destination;
    const QStringView rest = QStringView(name).mid(base.size());
    qsizetype room = limitBytes - utf8Length(rest);
    if (room <= 0)
        return destination;
    // Keep whole characters (a surrogate pair counts as one) while they fit.
    qsizetype kept = 0;
    while (kept < base.size()) {
        const qsizetype width = base.at(kept).isHighSurrogate() && kept + 1 < base.size() ? 2 : 1;
        const qsizetype bytes = utf8Length(QStringView(base).mid(kept, width));
        if (bytes > room)
            break;
        room -= bytes;
        kept += width;
    }
    return destination.left(destination.size() - name.size()) + base.left(kept) + rest.toString();
}

#include "PathPieces.h"

#include <QStringList>

QString fileNameOf(const QString& path, QChar separator)
{
    return path.mid(path.lastIndexOf(separator) + 1);
}

QString extensionOf(const QString& path, QChar separator)
{
    const QString name = fileNameOf(path, separator);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString sourceFolderOf(const QString& path, QChar separator)
{
    const qsizetype last = path.lastIndexOf(separator);
    return last < 0 ? QString() : path.left(last + 1);
}

QString withExtension(const QString& name, const QString& extension)
{
    return extension.isEmpty() ? name : name + u'.' + extension;
}

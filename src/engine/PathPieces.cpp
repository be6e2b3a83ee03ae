#include "PathPieces.h"

#include <QStringList>

QString fileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(NativeSeparator) + 1);
}

QString extensionOf(const QString& path)
{
    const QString name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString sourceFolderOf(const QString& path)
{
    const qsizetype last = path.lastIndexOf(NativeSeparator);
    return last < 0 ? QString() : path.left(last + 1);
}

QString withExtension(const QString& name, const QString& extension)
{
    return extension.isEmpty() ? name : name + u'.' + extension;
}

#include "AutostartEntry.h"

#include "platform/AtomicWrite.h"

#include <QFileInfo>

QString autostartEntryPath(const QString& autostartFolder, const QString& name)
{
    QString folder = autostartFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + name + QStringLiteral(".desktop");
}

QString quoteExecArgument(const QString& argument)
{
    QString quoted;
    quoted.reserve(argument.size() + 8);
    quoted += QLatin1Char('"');
    for (const QChar c : argument) {
        // Inside a quoted argument these four are escaped with a backslash.
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    // The escapes of a string value come last: the reader undoes them first.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    quoted.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    quoted.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return quoted;
}

QByteArray autostartEntryText(const QString& executablePath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quillstead\n"
                          "Exec=%1\n"
                          "Terminal=false\n")
        .arg(quoteExecArgument(executablePath))
        .toUtf8();
}

FileResult writeAutostartEntry(const QString& autostartFolder, const QString& executablePath)
{
    return writeFileAtomically(autostartEntryPath(autostartFolder, QFileInfo(executablePath).fileName()),
        autostartEntryText(executablePath));
}

FileResult removeAutostartEntry(
    FileSystem& files, const QString& autostartFolder, const QString& executablePath)
{
    const QString entry = autostartEntryPath(autostartFolder, QFileInfo(executablePath).fileName());
    if (!files.queryAttributes(entry))
        return FileResult::success();
    return files.removeFile(entry);
}

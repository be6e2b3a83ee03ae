#include "Archiver.h"

#include <QStringList>

namespace {

// A path that starts with "-" would read as a switch.
QString pathArgument(const QString& path)
{
    return path.startsWith(u'-') ? QStringLiteral("./") + path : path;
}

} // namespace

QString archiverLines(const QString& output)
{
    constexpr int MaxLines = 12;
    QStringList lines;
    for (const QString& line : output.split(u'\n')) {
        if (!line.trimmed().isEmpty() && !line.startsWith(QStringLiteral("-----")))
            lines << line.trimmed();
    }
    if (lines.size() > MaxLines) {
        const qsizetype more = lines.size() - MaxLines;
        lines.resize(MaxLines);
        lines << QStringLiteral("(%1 more lines)").arg(more);
    }
    return lines.join(QStringLiteral("\r\n"));
}

ProgramCall archiverCall(const QString& archiverFolder, const QString& archive, const QString& listFile)
{
    // -tzip: the working name says nothing of the type. -spd: names are not
    // wildcards (a file named a*.txt must not pull in others). -scsUTF-8 and
    // the UTF-8 locale: names are UTF-8 whatever the user's locale.
    // -bso0 -bsp0: only warnings and errors are written, for the messages.
    return ProgramCall { archiverFolder + QStringLiteral("/7za"),
        { QStringLiteral("a"), QStringLiteral("-tzip"), QStringLiteral("-spd"), QStringLiteral("-scsUTF-8"),
            QStringLiteral("-sccUTF-8"), QStringLiteral("-bso0"), QStringLiteral("-bsp0"),
            QStringLiteral("-y"), pathArgument(archive), u'@' + listFile },
        { QStringLiteral("LC_ALL=C.UTF-8") } };
}

ProgramCall extractionCall(
    const QString& archiverFolder, const QString& archive, const QString& entry, const QString& folder)
{
    // e: without the folders stored (the program stores none). "--" ends the
    // switches, so an entry named like one is still a name.
    return ProgramCall { archiverFolder + QStringLiteral("/7za"),
        { QStringLiteral("e"), QStringLiteral("-spd"), QStringLiteral("-scsUTF-8"),
            QStringLiteral("-sccUTF-8"), QStringLiteral("-bso0"), QStringLiteral("-bsp0"),
            QStringLiteral("-y"), QStringLiteral("-o") + folder, pathArgument(archive), QStringLiteral("--"),
            entry },
        { QStringLiteral("LC_ALL=C.UTF-8") } };
}

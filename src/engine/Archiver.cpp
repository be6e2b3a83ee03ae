#include "Archiver.h"

#include <QStringList>

#include <cctype>

namespace {

// A path that starts with "-" would read as a switch.
QString pathArgument(const QString& path)
{
    return path.startsWith(u'-') ? QStringLiteral("./") + path : path;
}

// The lines of output as a terminal shows them: a backspace steps back one
// byte (7za counts its progress line in bytes), a carriage return goes back
// to the start of the line, and what comes next writes over what was there.
QStringList shownLines(const QByteArray& output)
{
    QStringList lines;
    QByteArray line;
    qsizetype at = 0;
    for (const char c : output) {
        if (c == '\n') {
            lines << QString::fromUtf8(line);
            line.clear();
            at = 0;
        } else if (c == '\b') {
            at = qMax<qsizetype>(0, at - 1);
        } else if (c == '\r') {
            at = 0;
        } else {
            if (at < line.size())
                line[at] = c;
            else
                line += c;
            ++at;
        }
    }
    lines << QString::fromUtf8(line);
    return lines;
}

bool startsProgress(char c)
{
    return c == '\b' || c == '\r' || c == '\n';
}

} // namespace

std::optional<int> packedPercent(const QByteArray& output, qsizetype from)
{
    // From the end back: the first "NN%" that begins a progress line (after
    // the blanks that erased the one before) is the last one written.
    for (qsizetype sign = output.lastIndexOf('%'); sign >= from && sign > 0;
         sign = output.lastIndexOf('%', sign - 1)) {
        qsizetype digits = sign;
        while (
            digits > 0 && sign - digits < 3 && std::isdigit(static_cast<unsigned char>(output[digits - 1])))
            --digits;
        if (digits == sign)
            continue;
        qsizetype before = digits;
        while (before > 0 && output[before - 1] == ' ')
            --before;
        if (before == 0 || startsProgress(output[before - 1])) {
            const int percent = output.mid(digits, sign - digits).toInt();
            if (percent <= 100)
                return percent;
        }
    }
    return std::nullopt;
}

QString archiverLines(const QString& output)
{
    constexpr int MaxLines = 12;
    QStringList lines;
    for (const QString& line : shownLines(output.toUtf8())) {
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
    // -bso0 -bsp1: besides the warnings and errors, for the messages, only
    // the progress, for the caption (the messages leave it out).
    return ProgramCall { archiverFolder + QStringLiteral("/7za"),
        { QStringLiteral("a"), QStringLiteral("-tzip"), QStringLiteral("-spd"), QStringLiteral("-scsUTF-8"),
            QStringLiteral("-sccUTF-8"), QStringLiteral("-bso0"), QStringLiteral("-bsp1"),
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

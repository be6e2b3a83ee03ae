#include "HistoryLog.h"

QString historyPath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/history.txt");
}

namespace {

// C0 and C1 controls, DEL, and the Unicode line and paragraph separators:
// everything that a reader could take as the end of a line, or not see.
bool needsEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// The text with every control character written visibly.
QString visible(const QString& text)
{
    QString name;
    name.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (!needsEscape(code))
            name += c;
        else if (code == u'\n')
            name += QStringLiteral("\\n");
        else if (code == u'\r')
            name += QStringLiteral("\\r");
        else if (code == u'\t')
            name += QStringLiteral("\\t");
        else
            name += (code <= 0xFF ? QStringLiteral("\\x") : QStringLiteral("\\u"))
                + QString::number(code, 16).toUpper().rightJustified(code <= 0xFF ? 2 : 4, u'0');
    }
    return name;
}

} // namespace

QString historyLine(const QString& fileName, const QString& dateText)
{
    return visible(fileName) + QStringLiteral(" was backup saved at ") + dateText;
}

QString restoredLine(const QString& fileName, const QString& version, const QString& dateText)
{
    return visible(fileName) + QStringLiteral(" was restored from ") + visible(version)
        + QStringLiteral(" at ") + dateText;
}

QString historyFailureLine(const QString& fileName, const QString& dateText, const QString& reason)
{
    // The reason's own lines become one.
    QString oneLine = reason;
    oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    return visible(fileName) + QStringLiteral(" could not be backed up at ") + dateText + QStringLiteral(": ")
        + visible(oneLine);
}

FileResult appendHistory(FileSystem& files, const QString& programFolder, const QString& lineText)
{
    return files.writeFile(historyPath(programFolder), (lineText + QStringLiteral("\r\n")).toLocal8Bit(),
        FileSystem::Write::Appending);
}

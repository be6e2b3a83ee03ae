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

} // namespace

QString historyLine(const QString& fileName, const QString& dateText)
{
    QString name;
    name.reserve(fileName.size());
    for (const QChar c : fileName) {
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
    return name + QStringLiteral(" was backup saved at ") + dateText;
}

FileResult appendHistory(FileSystem& files, const QString& programFolder, const QString& lineText)
{
    return files.writeFile(historyPath(programFolder), (lineText + QStringLiteral("\r\n")).toLocal8Bit(),
        FileSystem::Write::Appending);
}

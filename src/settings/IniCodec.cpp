#include "IniCodec.h"

#include "IniEscapes.h"

#include <QIODevice>
#include <QMap>
#include <optional>

namespace {

// One line of the file without the blanks around it, and without control
// characters, byte order marks or undecodable bytes before it, so a header
// that damage pushed along ("\0\0[Quillstead]") is still found.
QStringView lineContent(QStringView line)
{
    while (!line.isEmpty()
        && (line.front().category() == QChar::Other_Control || line.front() == QChar(0xFEFF)
            || line.front() == QChar::ReplacementCharacter || line.front() == QLatin1Char(' ')))
        line = line.sliced(1);
    return trimmedBlanks(line);
}

// Calls lineFound(line) for every line that is not empty and not a comment.
template <typename LineFound> void forEachLine(const QByteArray& bytes, LineFound lineFound)
{
    const QString text = QString::fromUtf8(bytes);
    const QStringView all(text);
    qsizetype pos = 0;
    while (pos < all.size()) {
        qsizetype end = pos;
        while (end < all.size() && all[end] != QLatin1Char('\n') && all[end] != QLatin1Char('\r'))
            ++end;
        const QStringView line = lineContent(all.sliced(pos, end - pos));
        pos = end + 1;
        if (!line.isEmpty() && line.front() != QLatin1Char(';') && line.front() != QLatin1Char('#'))
            lineFound(line);
    }
}

// The section a header line opens ("" for [General]); nothing for other lines.
std::optional<QString> sectionOf(QStringView line)
{
    if (line.front() != QLatin1Char('['))
        return std::nullopt;
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    QString section = unescapedKey(line.sliced(1, close - 1));
    if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        section.clear();
    return section;
}

} // namespace

QSettings::Format iniSettingsFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(
        QStringLiteral("ini"), readIniSettings, writeIniSettings, Qt::CaseSensitive);
    return format;
}

bool readIniSettings(QIODevice& device, QSettings::SettingsMap& map)
{
    QString section;
    forEachLine(device.readAll(), [&](QStringView line) {
        if (line.front() == QLatin1Char('[')) {
            // A header without its "]" opens nothing; its keys stay where they are.
            if (const auto opened = sectionOf(line))
                section = *opened;
            return;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return;
        const QString key = unescapedKey(trimmedBlanks(line.first(equals)));
        if (key.isEmpty())
            return;
        map.insert(section.isEmpty() ? key : section + QLatin1Char('/') + key,
            unescapedValue(line.sliced(equals + 1)));
    });
    return true;
}

bool iniHasSection(const QByteArray& bytes, const QString& section)
{
    bool found = false;
    forEachLine(bytes, [&](QStringView line) {
        if (sectionOf(line) == section)
            found = true;
    });
    return found;
}

bool writeIniSettings(QIODevice& device, const QSettings::SettingsMap& map)
{
    // Keys without a section go under [General], written first.
    QMap<QString, QString> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const QString& fullKey = it.key();
        const qsizetype slash = fullKey.indexOf(QLatin1Char('/'));
        QString& lines = sections[slash < 0 ? QString() : fullKey.first(slash)];
        appendEscapedKey(lines, slash < 0 ? QStringView(fullKey) : QStringView(fullKey).sliced(slash + 1));
        lines += QLatin1Char('=');
        appendEscapedValue(lines, it.value().toString());
        lines += QLatin1Char('\n');
    }
    QString text;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QLatin1Char('[');
        if (it.key().isEmpty())
            text += QLatin1String("General");
        else
            appendEscapedKey(text, it.key());
        text += QLatin1String("]\n");
        text += it.value();
    }
    const QByteArray bytes = text.toUtf8();
    return device.write(bytes) == bytes.size();
}

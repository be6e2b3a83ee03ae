#include "IniCodec.h"

#include <QIODevice>
#include <QMap>
#include <QStringList>
#include <optional>

namespace {

bool isKeyCharacter(char16_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
        || c == '.';
}

int hexValue(char16_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendHex(QString& out, uint value, int digits)
{
    static const char upper[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += QLatin1Char(upper[(value >> shift) & 0xF]);
}

// Key names: "/" becomes "\", anything but letters, digits, "_", "-" and "."
// becomes %XX or %UXXXX.
void appendEscapedKey(QString& out, QStringView key)
{
    for (QChar character : key) {
        const char16_t c = character.unicode();
        if (c == '/') {
            out += QLatin1Char('\\');
        } else if (isKeyCharacter(c)) {
            out += character;
        } else if (c <= 0xFF) {
            out += QLatin1Char('%');
            appendHex(out, c, 2);
        } else {
            out += QLatin1String("%U");
            appendHex(out, c, 4);
        }
    }
}

QString unescapedKey(QStringView key)
{
    QString result;
    result.reserve(key.size());
    for (qsizetype i = 0; i < key.size();) {
        const char16_t c = key[i].unicode();
        if (c == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (c == '%' && i + 1 < key.size()) {
            const bool wide = key[i + 1] == QLatin1Char('U');
            const qsizetype first = i + (wide ? 2 : 1);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = first + digits <= key.size();
            const ushort value = ok ? key.sliced(first, digits).toUShort(&ok, 16) : 0;
            if (ok) {
                result += QChar(value);
                i = first + digits;
                continue;
            }
        }
        result += key[i];
        ++i;
    }
    return result;
}

// Values: C-style escapes for control characters, quotes and backslashes; the
// whole value in quotes when it holds ";", "," or "=" or starts or ends with a blank.
void appendEscapedValue(QString& out, const QString& value)
{
    const qsizetype start = out.size();
    // A leading "@" marks a typed value in this syntax, so text doubles it.
    if (value.startsWith(QLatin1Char('@')))
        out += QLatin1Char('@');
    bool needsQuotes = false;
    // After a numeric escape a following hex digit is escaped too, or a reader would run them together.
    bool escapeNextIfDigit = false;
    for (QChar character : value) {
        const char16_t c = character.unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && hexValue(c) >= 0) {
            out += QLatin1String("\\x") + QString::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case 0:
            out += QLatin1String("\\0");
            escapeNextIfDigit = true;
            break;
        case '\a':
            out += QLatin1String("\\a");
            break;
        case '\b':
            out += QLatin1String("\\b");
            break;
        case '\f':
            out += QLatin1String("\\f");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\v':
            out += QLatin1String("\\v");
            break;
        case '"':
        case '\\':
            out += QLatin1Char('\\');
            out += character;
            break;
        default:
            // Qt's reader takes a raw U+FEFF for a byte order mark and drops it.
            if (c <= 0x1F || c == 0xFEFF) {
                out += QLatin1String("\\x") + QString::number(c, 16);
                escapeNextIfDigit = true;
            } else {
                out += character;
            }
        }
    }
    if (needsQuotes
        || (out.size() > start && (out.at(start) == QLatin1Char(' ') || out.back() == QLatin1Char(' ')))) {
        out.insert(start, QLatin1Char('"'));
        out += QLatin1Char('"');
    }
}

char16_t simpleEscape(char16_t c)
{
    switch (c) {
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    case '"':
    case '?':
    case '\'':
    case '\\':
        return c;
    default:
        return 0;
    }
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Only blanks and tabs: other white space (a no-break space) belongs to the text.
QStringView trimmedBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

void chopBlanks(QString& text, qsizetype limit)
{
    qsizetype end = text.size();
    while (end > limit && isBlank(text.at(end - 1)))
        --end;
    text.truncate(end);
}

// Appends the character escaped at value[i] (just after the backslash) and
// returns where the text goes on. Unknown escapes add nothing.
qsizetype appendEscaped(QStringView value, qsizetype i, QString& piece)
{
    const qsizetype n = value.size();
    const char16_t escaped = value[i++].unicode();
    if (const char16_t plain = simpleEscape(escaped)) {
        piece += QChar(plain);
    } else if (escaped == 'x' || (escaped >= '0' && escaped <= '7')) {
        const int base = escaped == 'x' ? 16 : 8;
        bool any = escaped != 'x';
        char16_t code = escaped == 'x' ? 0 : char16_t(escaped - '0');
        for (int digit; i < n && (digit = hexValue(value[i].unicode())) >= 0 && digit < base; ++i) {
            code = char16_t(code * base + digit);
            any = true;
        }
        if (any)
            piece += QChar(code);
    }
    return i;
}

// A single value without the marker of a typed value: "@@" stands for "@",
// and Qt writes a text holding NUL as @String(...), byte arrays as
// @ByteArray(...), an empty variant as @Invalid().
QString withoutTypeMarker(const QString& piece)
{
    if (piece.startsWith(QLatin1String("@@")))
        return piece.sliced(1);
    if (piece == QLatin1String("@Invalid()"))
        return QString();
    // Qt writes a text holding NUL as @String(...), and byte arrays as @ByteArray(...).
    for (QLatin1String typed : { QLatin1String("@String("), QLatin1String("@ByteArray(") }) {
        if (piece.startsWith(typed) && piece.endsWith(QLatin1Char(')')))
            return piece.sliced(typed.size(), piece.size() - typed.size() - 1);
    }
    return piece;
}

// The text of one value: escapes resolved, quotes removed, unquoted blanks
// around it dropped. Comma-separated items come back joined by ",". Qt's
// reader takes any ";" outside quotes for the start of a comment. Qt's writer
// quotes every value holding ";", so in a value without quotes a ";" can only
// be typed by hand, and there it is text: Files=/a;/b; keeps every entry.
// After a quoted part it still starts a comment.
QString unescapedValue(QStringView value)
{
    const qsizetype n = value.size();
    QString piece;
    piece.reserve(n);
    QStringList items;
    bool isList = false;
    bool inQuotes = false;
    bool pieceQuoted = false;
    bool sawQuote = false;
    qsizetype i = 0;
    qsizetype chopLimit = 0;
    auto skipBlanks = [&] {
        while (i < n && isBlank(value[i]))
            ++i;
        chopLimit = piece.size();
    };

    skipBlanks();
    while (i < n) {
        const char16_t c = value[i].unicode();
        if (c == '\\') {
            if (++i >= n)
                break;
            i = appendEscaped(value, i, piece);
            chopLimit = piece.size();
        } else if (c == '"') {
            ++i;
            pieceQuoted = true;
            sawQuote = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            if (!pieceQuoted)
                chopBlanks(piece, chopLimit);
            isList = true;
            items.append(piece);
            piece.clear();
            pieceQuoted = false;
            ++i;
            skipBlanks();
        } else if (c == ';' && !inQuotes && sawQuote) {
            break;
        } else {
            qsizetype j = i + 1;
            while (j < n && value[j] != QLatin1Char('\\') && value[j] != QLatin1Char('"')
                && value[j] != QLatin1Char(',') && value[j] != QLatin1Char(';'))
                ++j;
            piece += value.sliced(i, j - i);
            i = j;
        }
    }
    if (!pieceQuoted)
        chopBlanks(piece, chopLimit);
    if (isList) {
        items.append(piece);
        return items.join(QLatin1Char(','));
    }
    return withoutTypeMarker(piece);
}

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

#include "IniEscapes.h"

#include <QStringList>

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

} // namespace

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

QStringView trimmedBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

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

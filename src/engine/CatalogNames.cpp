#include "CatalogNames.h"

qint64 nameKey(const QString& name)
{
    quint64 hash = 14695981039346656037ULL; // FNV-1a
    const auto add = [&hash](char16_t unit) {
        hash ^= unit;
        hash *= 1099511628211ULL;
    };
    // Letter by letter, without a folded copy of the whole name.
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t letter = name.at(i).unicode();
        if (QChar::isHighSurrogate(letter) && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
            letter = QChar::surrogateToUcs4(char16_t(letter), name.at(++i).unicode());
        letter = QChar::toCaseFolded(letter);
        if (QChar::requiresSurrogates(letter)) {
            add(QChar::highSurrogate(letter));
            add(QChar::lowSurrogate(letter));
        } else {
            add(char16_t(letter));
        }
    }
    return qint64(hash);
}

bool sameName(const QString& a, const QString& b, bool ignoresCase)
{
    return a.compare(b, ignoresCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0
        || (ignoresCase && a.toCaseFolded() == b.toCaseFolded());
}

std::pair<QString, QString> splitPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return { path.left(slash + 1), path.mid(slash + 1) };
}

#include "DatedCopies.h"

#include "DateText.h"
#include "PathPieces.h"
#include "platform/FileSystem.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// The date of a stamp ("Dec 6 2026"), when stampDate makes exactly that text.
std::optional<QDate> stampedDate(const QString& text, const QLocale& locale)
{
    static const QRegularExpression shape(QStringLiteral("^(.+) (\\d{1,2}) (\\d{4})$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int day = match.captured(2).toInt();
    const int year = match.captured(3).toInt();
    for (int month = 1; month <= 12; ++month) {
        const QDate date(year, month, day);
        if (date.isValid() && stampDate(date, locale) == text)
            return date;
    }
    return std::nullopt;
}

// The time of a stamp ("09 05 03 PM"), when stampTime makes exactly that text.
std::optional<QTime> stampedTime(const QString& text, const QLocale& locale)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{2}) (\\d{2}) (\\d{2})(?: .+)?$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int hour12 = match.captured(1).toInt();
    for (const int hour : { hour12 % 12, hour12 % 12 + 12 }) {
        const QTime time(hour, match.captured(2).toInt(), match.captured(3).toInt());
        if (time.isValid() && stampTime(time, locale) == text)
            return time;
    }
    return std::nullopt;
}

} // namespace

std::optional<QDateTime> datedCopyStamp(
    const QString& name, const QString& base, const QString& extension, const QLocale& locale)
{
    const QString head = base + u' ';
    const QString tail = extension.isEmpty() ? QString() : u'.' + extension;
    if (name.size() <= head.size() + tail.size() || !name.startsWith(head) || !name.endsWith(tail))
        return std::nullopt;
    const QString stamp = name.sliced(head.size(), name.size() - head.size() - tail.size());

    static const QString dateWord = QStringLiteral("Date ");
    static const QString timeWord = QStringLiteral(" Time ");
    if (stamp.startsWith(dateWord)) {
        const qsizetype at = stamp.lastIndexOf(timeWord);
        if (at > dateWord.size()) {
            const auto date = stampedDate(stamp.sliced(dateWord.size(), at - dateWord.size()), locale);
            const auto time = stampedTime(stamp.sliced(at + timeWord.size()), locale);
            if (date && time)
                return QDateTime(*date, *time);
        }
    }
    if (const auto date = stampedDate(stamp, locale))
        return QDateTime(*date, QTime(0, 0));
    return std::nullopt;
}

const QStringList& FolderListings::namesIn(const QString& folder)
{
    auto found = m_names.find(folder);
    if (found == m_names.end()) {
        QStringList names;
        m_files.walkFolder(folder, [&](const WalkEntry& entry) {
            if (!entry.isFolder && entry.nameable)
                names << entry.name;
            return true;
        });
        std::sort(names.begin(), names.end());
        found = m_names.insert(folder, names);
    }
    return *found;
}

QList<DatedCopy> FolderListings::datedCopies(
    const QString& folder, const QString& base, const QString& extension, const QLocale& locale)
{
    const QStringList& names = namesIn(folder);
    const QString head = base + u' ';
    QList<DatedCopy> copies;
    for (auto it = std::lower_bound(names.begin(), names.end(), head);
         it != names.end() && it->startsWith(head); ++it) {
        // A link is never a copy of ours, whatever its name.
        if (!m_files.regularFileFacts(folder + *it))
            continue;
        if (const auto stamped = datedCopyStamp(*it, base, extension, locale))
            copies.append({ *it, *stamped });
    }
    std::stable_sort(copies.begin(), copies.end(),
        [](const DatedCopy& a, const DatedCopy& b) { return a.stamped > b.stamped; });
    return copies;
}

void FolderListings::made(const QString& folder, const QString& name)
{
    if (auto found = m_names.find(folder); found != m_names.end()) {
        const auto at = std::lower_bound(found->begin(), found->end(), name);
        if (at == found->end() || *at != name)
            found->insert(at, name);
    }
}

void FolderListings::removed(const QString& folder, const QString& name)
{
    if (auto found = m_names.find(folder); found != m_names.end())
        found->removeOne(name);
}

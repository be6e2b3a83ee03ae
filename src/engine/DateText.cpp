#include "DateText.h"

#include <QCoreApplication>

#include <QRegularExpression>

namespace {

// Newer locale data puts narrow or non-breaking spaces before AM/PM; the
// program's texts use plain blanks.
QString plainBlanks(QString text)
{
    text.replace(QChar(0x202F), u' ').replace(QChar(0x00A0), u' ');
    return text;
}

QString shortDateFormat(const QLocale& locale)
{
    // A two-digit year is widened to four digits; a four-digit one stays.
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return locale.dateFormat(QLocale::ShortFormat).replace(twoDigitYear, QStringLiteral("yyyy"));
}

bool isBracket(QChar open, QChar close)
{
    return (open == u'(' && close == u')') || (open == u'[' && close == u']');
}

// Drops every time-zone field ("t", outside quoted text) together with the
// brackets, comma and blanks that belong to it: "H:mm:ss (t)" -> "H:mm:ss",
// "h:mm:ss AP, t" -> "h:mm:ss AP", "t HH:mm:ss" -> "HH:mm:ss".
QString withoutTimeZone(QString format)
{
    QList<std::pair<qsizetype, qsizetype>> zones;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'\'') {
            quoted = !quoted;
        } else if (!quoted && format[i] == u't') {
            qsizetype end = i;
            while (end < format.size() && format[end] == u't')
                ++end;
            zones.append({ i, end });
            i = end - 1;
        }
    }
    for (auto zone = zones.crbegin(); zone != zones.crend(); ++zone) {
        auto [left, right] = *zone;
        qsizetype before = left;
        while (before > 0 && format[before - 1].isSpace())
            --before;
        qsizetype after = right;
        while (after < format.size() && format[after].isSpace())
            ++after;
        if (before > 0 && after < format.size() && isBracket(format[before - 1], format[after])) {
            left = before - 1;
            right = after + 1;
        }
        while (left > 0 && (format[left - 1].isSpace() || format[left - 1] == u','))
            --left;
        while (right < format.size() && format[right].isSpace())
            ++right;
        const bool between = left > 0 && right < format.size();
        format.replace(left, right - left, between ? QStringLiteral(" ") : QString());
    }
    return format;
}

QString longTimeFormat(const QLocale& locale)
{
    return withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
}

bool isMidnight(const QTime& time)
{
    return time.hour() == 0 && time.minute() == 0 && time.second() == 0;
}

// Keeps letters (with their combining marks) and digits, and single blanks
// between words; everything else goes, so a stamp is safe in a file name.
QString stampWord(const QString& text)
{
    QString word;
    bool blank = false;
    for (const char32_t c : text.toUcs4()) {
        if (QChar::isLetterOrNumber(c) || QChar::isMark(c)) {
            if (blank && !word.isEmpty())
                word += u' ';
            blank = false;
            word += QString::fromUcs4(&c, 1);
        } else if (QChar::isSpace(c)) {
            blank = true;
        }
    }
    return word;
}

} // namespace

QLocale programLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return system;
}

QString generalDateFormat(const QLocale& locale)
{
    return plainBlanks(shortDateFormat(locale) + u' ' + longTimeFormat(locale));
}

QString generalDateText(const QDateTime& when, const QLocale& locale)
{
    if (isMidnight(when.time()))
        return plainBlanks(locale.toString(when.date(), shortDateFormat(locale)));
    return plainBlanks(locale.toString(when, generalDateFormat(locale)));
}

QString stampDate(const QDate& date, const QLocale& locale)
{
    return QStringLiteral("%1 %2 %3")
        .arg(stampWord(locale.monthName(date.month(), QLocale::ShortFormat)))
        .arg(date.day())
        .arg(date.year(), 4, 10, QChar(u'0'));
}

QString stampTime(const QTime& time, const QLocale& locale)
{
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const QString clock = QStringLiteral("%1 %2 %3")
                              .arg(hour12, 2, 10, QChar(u'0'))
                              .arg(time.minute(), 2, 10, QChar(u'0'))
                              .arg(time.second(), 2, 10, QChar(u'0'));
    const QString designator = stampWord(time.hour() < 12 ? locale.amText() : locale.pmText());
    return designator.isEmpty() ? clock : clock + u' ' + designator;
}

QString completionCaption(const QDateTime& when, const QLocale& locale)
{
    return QCoreApplication::translate("BackupRun", "Auto Backup Complete at %1")
        .arg(generalDateText(when, locale));
}

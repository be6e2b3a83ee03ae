#include "DateText.h"

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

QString longTimeFormat(const QLocale& locale)
{
    // The long time carries the time zone ("t"); the program's texts do not.
    static const QRegularExpression timeZone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    return locale.timeFormat(QLocale::LongFormat).replace(timeZone, QStringLiteral(" ")).trimmed();
}

} // namespace

QLocale ProgramLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return system;
}

QString GeneralDateText(const QDateTime& when, const QLocale& locale)
{
    const QString date = locale.toString(when.date(), shortDateFormat(locale));
    const QTime time = when.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return plainBlanks(date);
    return plainBlanks(date + u' ' + locale.toString(time, longTimeFormat(locale)));
}

QString StampDate(const QDate& date, const QLocale& locale)
{
    QString month;
    for (QChar c : locale.monthName(date.month(), QLocale::ShortFormat))
        if (c.isLetterOrNumber())
            month += c;
    return QStringLiteral("%1 %2 %3").arg(month).arg(date.day()).arg(date.year(), 4, 10, QChar(u'0'));
}

QString StampTime(const QTime& time, const QLocale& locale)
{
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const QString designator = time.hour() < 12 ? locale.amText() : locale.pmText();
    return QStringLiteral("%1 %2 %3 %4")
        .arg(hour12, 2, 10, QChar(u'0'))
        .arg(time.minute(), 2, 10, QChar(u'0'))
        .arg(time.second(), 2, 10, QChar(u'0'))
        .arg(designator);
}

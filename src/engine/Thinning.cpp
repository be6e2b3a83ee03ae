#include "Thinning.h"

#include <QSet>
#include <QTimeZone>

namespace {

// when as the calendar of now's time zone reads it.
QDate dateIn(const QDateTime& when, const QDateTime& now)
{
    switch (now.timeSpec()) {
    case Qt::TimeZone:
        return when.toTimeZone(now.timeZone()).date();
    case Qt::OffsetFromUTC:
        return when.toOffsetFromUtc(now.offsetFromUtc()).date();
    case Qt::UTC:
        return when.toUTC().date();
    case Qt::LocalTime:
        break;
    }
    return when.toLocalTime().date();
}

QDate mondayOf(const QDate& date)
{
    return date.addDays(1 - date.dayOfWeek());
}

// Takes the period steps back from now when it is one of the last count and
// no newer copy took it yet.
bool takes(qint64 steps, int count, QSet<qint64>& taken)
{
    if (steps < 0 || steps >= count || taken.contains(steps))
        return false;
    taken.insert(steps);
    return true;
}

} // namespace

KeepCounts keepCountsOf(const RunOptions& options)
{
    return { options.keepDatedCopies, options.keepDaily, options.keepWeekly };
}

QList<bool> survivingCopies(const QList<QDateTime>& made, const KeepCounts& keep, const QDateTime& now)
{
    QList<bool> survives(made.size(), true);
    if (!keep.thins())
        return survives;
    const QDate today = dateIn(now, now);
    const QDate thisMonday = mondayOf(today);
    QSet<qint64> days;
    QSet<qint64> weeks;
    for (qsizetype i = 0; i < made.size(); ++i) {
        bool kept = i == 0 || i < keep.newest;
        if (made[i].isValid() && made[i] <= now) {
            const QDate day = dateIn(made[i], now);
            // Both rules look at every copy: a day and its week each take their newest.
            const bool newestOfDay = takes(day.daysTo(today), keep.days, days);
            const bool newestOfWeek = takes(mondayOf(day).daysTo(thisMonday) / 7, keep.weeks, weeks);
            kept = kept || newestOfDay || newestOfWeek;
        }
        survives[i] = kept;
    }
    return survives;
}

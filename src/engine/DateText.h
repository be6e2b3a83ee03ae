#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The locale the program writes dates in: the system's, or English (United
// States) when the system has only the C/POSIX locale.
QLocale programLocale();

// "Date and time text": the locale's short date with a four-digit year, a
// blank, and its long time without the time zone; at exactly midnight the
// date alone. English (United States): 12/6/2026 9:05:03 PM.
QString generalDateText(const QDateTime& when, const QLocale& locale);
// The format generalDateText uses for a time other than midnight.
QString generalDateFormat(const QLocale& locale);

// Stamp "mmm d yyyy": Dec 6 2026. Month and designator keep only letters,
// digits and single blanks, in every locale.
QString stampDate(const QDate& date, const QLocale& locale);
// Stamp "hh mm ss AMPM": 09 05 03 PM (12-hour clock, locale's designators).
QString stampTime(const QTime& time, const QLocale& locale);

// The status caption a finished run leaves: "Auto Backup Complete at " and
// the date and time text. The run and the countdown both show it.
QString completionCaption(const QDateTime& when, const QLocale& locale);

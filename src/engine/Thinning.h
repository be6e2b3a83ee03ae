#pragma once

#include "RunOptions.h"

#include <QDateTime>
#include <QList>

// How many of a file's dated copies a run keeps ("More Options").
struct KeepCounts {
    int newest = 0; // the newest this many
    int days = 0; // the newest copy of each of the last this many days, today included
    int weeks = 0; // the newest copy of each of the last this many weeks, this week included
    // With all three 0 every copy is kept.
    bool thins() const { return newest > 0 || days > 0 || weeks > 0; }
};

KeepCounts keepCountsOf(const RunOptions& options);

// Which of a file's copies survive thinning, given when each was made, newest
// first in the order the copies were made (never by their stamps). A copy
// survives when it is among the newest keep.newest, or the newest of one of
// the last keep.days calendar days, or of one of the last keep.weeks ISO
// weeks (Monday to Sunday, so a week across New Year is one week). The
// newest copy always survives. Days and weeks are counted back from now's
// date in now's time zone, in which each copy's made time is read; a copy
// made after now (a clock set back since) belongs to none of them, nor does
// one whose time is unknown.
QList<bool> survivingCopies(const QList<QDateTime>& made, const KeepCounts& keep, const QDateTime& now);

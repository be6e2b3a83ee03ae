#pragma once

#include "engine/BackupRun.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class Preferences;

// "quillstead --backup-now": one backup with the stored settings, asked for
// by a script or a timer, made by the running copy when there is one (never
// a second writer) or else by the asking process itself.

// What the script is told: its exit status and one line for each failure,
// in the history log's words.
struct ScriptAnswer {
    enum Status { AllBackedUp = 0, SomeFailed = 1, NothingRan = 2 };
    int status = NothingRan;
    QStringList lines;

    // The status on the first line, then the lines.
    QByteArray encoded() const;
    // A garbled answer is one of nothing run.
    static ScriptAnswer decoded(const QByteArray& bytes);
};

// Why no run can start at all: the set is empty, or no destination is
// chosen. Empty when one may.
QString whyNothingCanRun(const Preferences& preferences, const QStringList& entries);
// The answer for a run that ended so (nothing: it did not run to its end),
// with the failure lines it noted.
ScriptAnswer answerFor(const std::optional<RunOutcome>& outcome, const QStringList& failureLines);

// The whole request in this process: finds the running copy of this user (on
// any display) and lets it run, or runs here. Prints the failure lines to
// stderr; returns the exit status.
int backUpForScript(int argc, char* argv[]);

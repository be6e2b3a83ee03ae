#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class StopRequest;

// A program and its arguments, each handed over as it is: no shell, no quoting.
struct ProgramCall {
    QString program;
    QStringList arguments;
    QStringList environment = {}; // NAME=value entries for the program, on top of ours
};

// The call written as one command line, for messages and tests: the program in
// double quotes, then each argument, in double quotes when it holds anything
// but letters, digits and - _ . = +, with a leading @ kept outside the quotes.
// "C:\Prog\7za.exe" a "D:\Backup\Backup.zip" @"C:\Prog\list.txt"
QString commandLineText(const ProgramCall& call);

// Start failures come back as this plus the system's (positive) error number.
inline constexpr int StartFailureBase = -2147221504;

struct RunResult {
    enum class End {
        Exited, // ran and ended by itself; result is its exit code
        NotStarted, // result is StartFailureBase + the error number
        Killed, // ended by a signal; result is 128 + the signal's number
        Stopped, // killed because the program is shutting down
    };
    End end = End::NotStarted;
    int result = 0;
    QString failure; // why it did not start, or which signal ended it
    QString output; // what it wrote (standard output and error)
};

// Starts the program and waits for its end, letting window
// events run about every 100 ms (timer ticks arrive meanwhile); whileWaiting,
// when given, is called as often. outputRead, when given, is handed all the
// program has written so far whenever more has come. When stop is raised
// during the wait the program is killed at once.
RunResult runAndWait(const ProgramCall& call, const StopRequest* stop = nullptr,
    const std::function<void()>& whileWaiting = {},
    const std::function<void(const QByteArray&)>& outputRead = {});

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QProcess;

// One program started with its arguments as a list, never through a shell, so
// every argument reaches it exactly as given. The program ends with this
// object at the latest: a program still running is killed.
class ChildProcess {
public:
    ChildProcess();
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // environment: NAME=value entries set on top of this program's own.
    // False when the program could not be started; see startError().
    bool start(const QString& program, const QStringList& arguments, const QStringList& environment = {});
    // Waits at most ms milliseconds; true once the program has ended.
    bool waitForEnd(int ms);
    // Ends the program at once and waits until it is gone.
    void kill();

    // The system's error number for a start that failed (never 0 then),
    // and its description.
    int startError() const { return m_startError; }
    QString startErrorText() const { return m_startErrorText; }
    // After the end: the exit code, or the number of the signal that killed it.
    bool killedBySignal() const;
    int exitCode() const;
    // Everything the program wrote to its standard output and error.
    QByteArray output();

private:
    std::unique_ptr<QProcess> m_process;
    int m_startError = 0;
    QString m_startErrorText;
};

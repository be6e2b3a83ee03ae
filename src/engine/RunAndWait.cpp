#include "RunAndWait.h"

#include "platform/ChildProcess.h"
#include "platform/StopRequest.h"
#include "support/EventLoop.h"

#include <QRegularExpression>

namespace {

constexpr int PollMs = 100;

QString quoted(const QString& text)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_.=+-]+$"));
    if (plain.match(text).hasMatch())
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\\\"")) + u'"';
}

} // namespace

QString commandLineText(const ProgramCall& call)
{
    QString text = u'"' + call.program + u'"';
    for (const QString& argument : call.arguments) {
        text += u' ';
        if (argument.startsWith(u'@') && argument.size() > 1)
            text += u'@' + quoted(argument.mid(1));
        else
            text += quoted(argument);
    }
    return text;
}

RunResult runAndWait(const ProgramCall& call, const StopRequest* stop,
    const std::function<void()>& whileWaiting, const std::function<void(const QByteArray&)>& outputRead)
{
    RunResult result;
    ChildProcess process;
    QByteArray output;
    if (!process.start(call.program, call.arguments, call.environment)) {
        result.result = StartFailureBase + process.startError();
        result.failure = process.startErrorText();
        return result;
    }
    for (;;) {
        letEventsRun();
        if (stop && stop->requested()) {
            process.kill();
            result.end = RunResult::End::Stopped;
            result.result = 128 + 9;
            result.failure = QStringLiteral("stopped because the program is shutting down");
            return result;
        }
        if (whileWaiting)
            whileWaiting();
        const bool ended = process.waitForEnd(PollMs);
        // Read as it comes, the output is decoded only once whole: a
        // character may be split between two reads.
        if (const QByteArray more = process.output(); !more.isEmpty()) {
            output += more;
            if (outputRead && !ended)
                outputRead(output);
        }
        if (ended)
            break;
    }
    result.output = QString::fromUtf8(output);
    if (process.killedBySignal()) {
        result.end = RunResult::End::Killed;
        result.result = 128 + process.exitCode();
        result.failure = QStringLiteral("ended by signal %1").arg(process.exitCode());
    } else {
        result.end = RunResult::End::Exited;
        result.result = process.exitCode();
    }
    return result;
}

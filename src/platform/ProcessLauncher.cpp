#include "ProcessLauncher.h"

#include <QCoreApplication>

#include <QDir>
#include <QProcess>
#include <QTemporaryFile>

namespace {

const QString Opener = QStringLiteral("xdg-open");

// What xdg-open's exit statuses mean, as its manual lists them.
QString meaningOf(int status)
{
    switch (status) {
    case 1:
        return QCoreApplication::translate("ProcessLauncher", "error in command line syntax");
    case 2:
        return QCoreApplication::translate(
            "ProcessLauncher", "one of the files passed on the command line did not exist");
    case 3:
        return QCoreApplication::translate("ProcessLauncher", "a required tool could not be found");
    case 4:
        return QCoreApplication::translate("ProcessLauncher", "the action failed");
    default:
        return QCoreApplication::translate("ProcessLauncher", "it gave no reason");
    }
}

// The opener's own word on what went wrong: the last line it wrote to stderr.
QString lastLineOf(QFile& errors)
{
    if (!errors.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = errors.readAll().split('\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (const QByteArray text = line->trimmed(); !text.isEmpty())
            return QString::fromLocal8Bit(text);
    }
    return {};
}

LaunchResult endOf(const QString& target, QProcess& opener, QFile& errors)
{
    if (opener.exitStatus() == QProcess::NormalExit && opener.exitCode() == 0)
        return {};
    const QString command = QStringLiteral("\"%1 %2\"").arg(Opener, target);
    if (opener.exitStatus() == QProcess::CrashExit)
        return { false,
            QCoreApplication::translate("ProcessLauncher", "%1 stopped: %2")
                .arg(command, opener.errorString()) };
    QString reason = lastLineOf(errors);
    if (reason.isEmpty())
        reason = meaningOf(opener.exitCode());
    return { false,
        QCoreApplication::translate("ProcessLauncher", "%1 ended with status %2: %3")
            .arg(command)
            .arg(opener.exitCode())
            .arg(reason) };
}

} // namespace

LaunchResult ProcessLauncher::openWithDefaultProgram(const QString& target, LaunchEnded ended)
{
    // Watched until it ends, without waiting for it. Where no desktop answers,
    // xdg-open runs the program it picked in the foreground, so it may well
    // outlive this window: it then goes on by itself, and no pipe to this
    // program is left to break under it. Its stderr goes to a file instead.
    auto* opener = new QProcess;
    // QProcess hands the argument to the program as it is: no shell, no quoting.
    opener->setProgram(Opener);
    opener->setArguments({ target });
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    auto* errors = new QTemporaryFile(QDir::tempPath() + QStringLiteral("/quillstead-opener-XXXXXX"), opener);
    if (errors->open()) {
        errors->close();
        opener->setStandardErrorFile(errors->fileName());
    } else {
        opener->setStandardErrorFile(QProcess::nullDevice());
    }
    QObject::connect(opener, &QProcess::finished, opener, [opener, errors, target, ended = std::move(ended)] {
        opener->deleteLater();
        if (ended)
            ended(endOf(target, *opener, *errors));
    });
    opener->start();
    if (opener->waitForStarted())
        return {};
    const QString why = opener->errorString();
    delete opener;
    return {
        false,
        QCoreApplication::translate("ProcessLauncher", "Cannot start \"%1 %2\": %3").arg(Opener, target, why)
    };
}

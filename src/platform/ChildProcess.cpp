#include "ChildProcess.h"

#include <QFile>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

ChildProcess::ChildProcess()
    : m_process(std::make_unique<QProcess>())
{
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setInputChannelMode(QProcess::ManagedInputChannel);
    // Should this program die without ending its child, the child goes too:
    // an orphaned archiver would go on writing a file nobody will use.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

ChildProcess::~ChildProcess()
{
    if (m_process->state() != QProcess::NotRunning)
        kill();
}

bool ChildProcess::start(const QString& program, const QStringList& arguments, const QStringList& environment)
{
    // QProcess only says "failed to start"; the system's own reason for the
    // common cases (missing, not executable) comes from asking it first.
    const QByteArray name = QFile::encodeName(program);
    if (program.isEmpty() || ::access(name.constData(), X_OK) != 0) {
        m_startError = program.isEmpty() ? ENOENT : errno;
        m_startErrorText = QString::fromLocal8Bit(std::strerror(m_startError));
        return false;
    }
    if (!environment.isEmpty()) {
        QProcessEnvironment settings = QProcessEnvironment::systemEnvironment();
        for (const QString& entry : environment) {
            const qsizetype equals = entry.indexOf(u'=');
            settings.insert(entry.left(equals), equals < 0 ? QString() : entry.mid(equals + 1));
        }
        m_process->setProcessEnvironment(settings);
    }
    m_process->start(program, arguments, QIODevice::ReadOnly);
    if (!m_process->waitForStarted(-1)) {
        // Found and executable, yet refused (a bad format, a missing interpreter).
        m_startError = ENOEXEC;
        m_startErrorText = m_process->errorString();
        return false;
    }
    return true;
}

bool ChildProcess::waitForEnd(int ms)
{
    // The end may already have been noticed while events ran; waitForFinished
    // answers false for a program that is already gone.
    if (m_process->state() == QProcess::NotRunning)
        return true;
    m_process->waitForFinished(ms);
    return m_process->state() == QProcess::NotRunning;
}

void ChildProcess::kill()
{
    m_process->kill();
    m_process->waitForFinished(-1);
}

bool ChildProcess::killedBySignal() const
{
    return m_process->exitStatus() == QProcess::CrashExit;
}

int ChildProcess::exitCode() const
{
    return m_process->exitCode();
}

QByteArray ChildProcess::output()
{
    return m_process->readAll();
}

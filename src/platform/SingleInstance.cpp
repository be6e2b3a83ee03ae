#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace {

// What a later start sends; the running copy needs no more than the knock.
constexpr char ComeForward[] = "come forward\n";

} // namespace

SingleInstance::SingleInstance(QString folder, QString name, QObject* parent)
    : QObject(parent)
    , m_folder(std::move(folder))
    , m_name(std::move(name))
{
}

SingleInstance::~SingleInstance()
{
    // The socket goes before the lock: once the lock is free, a new copy may
    // already put its own socket under the same name.
    delete m_server;
    m_lock.reset();
}

QString SingleInstance::lockPath() const
{
    return m_folder + QStringLiteral("/") + m_name + QStringLiteral(".lock");
}

QString SingleInstance::socketPath() const
{
    return m_folder + QStringLiteral("/") + m_name + QStringLiteral(".socket");
}

bool SingleInstance::claim()
{
    QDir().mkpath(m_folder);
    m_lock = std::make_unique<QLockFile>(lockPath());
    // Held for the whole run: only a dead owner makes the lock stale, never
    // its age (by default one older than 30 s counts as stale where the file
    // system has no native locks).
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        listen();
        return true;
    }
    if (m_lock->error() != QLockFile::LockFailedError)
        return true;
    askRunningCopyToComeForward();
    return false;
}

void SingleInstance::listen()
{
    // A socket file left by a killed copy would stop the listening; the lock
    // says no live copy owns it.
    QLocalServer::removeServer(socketPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptRequests);
    // Without the socket a later start still ends; it only cannot bring this
    // copy forward.
    m_server->listen(socketPath());
}

void SingleInstance::acceptRequests()
{
    while (QLocalSocket* request = m_server->nextPendingConnection()) {
        request->close();
        request->deleteLater();
        emit anotherStartRequested();
    }
}

void SingleInstance::askRunningCopyToComeForward() const
{
    // The running copy may have taken the lock a moment ago and not listen
    // yet: a few tries over about two seconds.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(1000)) {
            socket.write(ComeForward);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return;
        }
        QThread::msleep(100);
    }
}

QString SingleInstance::sessionFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString SingleInstance::sessionName()
{
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        // ":0" and ":0.0" are one display.
        display = qEnvironmentVariable("DISPLAY");
        display.remove(QRegularExpression(QStringLiteral("\\.\\d+$")));
    }
    if (display.isEmpty())
        display = QStringLiteral("none");
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return QStringLiteral("quillstead-%1-%2").arg(::getuid()).arg(display);
}

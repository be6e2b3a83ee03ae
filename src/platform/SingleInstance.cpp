#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace {

// What a later start sends; the running copy needs no more than the knock.
constexpr char ComeForward[] = "come forward\n";
// The longest path a local socket takes (sun_path, without its end).
constexpr qsizetype LongestSocketPath = 107;

bool isAbstract(const QString& name)
{
    return !name.startsWith(u'/');
}

} // namespace

QString SingleInstance::serverName(const QString& socketPath)
{
    if (QFile::encodeName(socketPath).size() <= LongestSocketPath)
        return socketPath;
    // Too long for a path: a short name in the abstract namespace, the same
    // for every copy that looks for this one, told apart by the whole path.
    const QByteArray hash
        = QCryptographicHash::hash(QFile::encodeName(socketPath), QCryptographicHash::Sha256);
    return QStringLiteral("quillstead-") + QString::fromLatin1(hash.toHex().left(32));
}

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

bool SingleInstance::claim(bool knock)
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
    if (knock)
        askRunningCopyToComeForward();
    return false;
}

void SingleInstance::listen()
{
    // A socket file left by a killed copy would stop the listening; the lock
    // says no live copy owns it.
    const QString name = serverName(socketPath());
    if (!isAbstract(name))
        QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(
        isAbstract(name) ? QLocalServer::AbstractNamespaceOption : QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptRequests);
    // Without the socket a later start still ends; it only cannot bring this
    // copy forward.
    m_server->listen(name);
}

void SingleInstance::acceptRequests()
{
    while (QLocalSocket* request = m_server->nextPendingConnection()) {
        connect(request, &QLocalSocket::disconnected, request, &QObject::deleteLater);
        // The line may come in pieces; a knock may close before any comes.
        const auto read = [this, request] {
            if (!request->canReadLine())
                return;
            const QByteArray line = request->readLine();
            disconnect(request, &QLocalSocket::readyRead, this, nullptr);
            if (line == ComeForward) {
                request->disconnectFromServer();
                emit anotherStartRequested();
                return;
            }
            const QPointer<QLocalSocket> alive(request);
            emit requestReceived(line.trimmed(), [alive](const QByteArray& reply) {
                if (!alive)
                    return;
                alive->write(reply);
                alive->flush();
                alive->disconnectFromServer();
            });
        };
        connect(request, &QLocalSocket::readyRead, this, read);
        read();
    }
}

std::optional<QByteArray> SingleInstance::ask(
    const QString& folder, const QString& name, const QByteArray& request, int timeoutMs)
{
    const QString server = serverName(folder + u'/' + name + QStringLiteral(".socket"));
    QLocalSocket socket;
    if (isAbstract(server))
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(server);
    if (!socket.waitForConnected(1000))
        return std::nullopt;
    socket.write(request + '\n');
    // The answer is whole once the running copy closes the connection.
    QByteArray answer;
    const QDeadlineTimer deadline(timeoutMs);
    while (socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
        socket.waitForReadyRead(int(std::min<qint64>(deadline.remainingTime(), 1000)));
        answer += socket.readAll();
    }
    answer += socket.readAll();
    if (socket.state() == QLocalSocket::ConnectedState)
        return std::nullopt; // no whole answer in time
    return answer;
}

QStringList SingleInstance::namesOfThisUser(const QString& folder)
{
    const QString prefix = QStringLiteral("quillstead-%1-").arg(::getuid());
    QStringList names;
    for (const QString& lock : QDir(folder).entryList({ prefix + QStringLiteral("*.lock") }, QDir::Files))
        names << lock.chopped(5);
    return names;
}

void SingleInstance::askRunningCopyToComeForward() const
{
    // The running copy may have taken the lock a moment ago and not listen
    // yet: a few tries over about two seconds.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QLocalSocket socket;
        const QString name = serverName(socketPath());
        if (isAbstract(name))
            socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        socket.connectToServer(name);
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

#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLocalServer;

// Takes the whole reply to a script's request, once.
using RequestAnswer = std::function<void(const QByteArray&)>;
class QLockFile;

// One running copy of the program per user and display: two would run two
// timers over the same backups, write one settings file in turn and empty
// temp/ under each other's archiver. The first copy holds a lock file and
// listens on a local socket beside it; a later start finds the lock held,
// asks the running copy through the socket to come forward, and ends. A lock
// left by a copy that was killed is taken over (its process is gone). A
// script's request reaches the running copy the same way, and its answer
// comes back. Where the socket's path would be longer than a local socket
// allows, the socket has a short name of its own in the abstract namespace.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The lock is folder/name.lock, the socket folder/name.socket.
    SingleInstance(QString folder, QString name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this copy may run: it now holds the lock and listens for
    // later starts (or the lock cannot be had at all, as in a folder that
    // cannot be written: running unguarded beats not running). False when
    // another copy holds it; that copy has been asked to come forward unless
    // knock is false.
    bool claim(bool knock = true);

    // Sends request (one line) to the copy running under folder/name and
    // waits up to timeoutMs for its whole answer; nothing when no copy
    // answers there.
    static std::optional<QByteArray> ask(
        const QString& folder, const QString& name, const QByteArray& request, int timeoutMs);
    // The names of the copies of this user that may be running in folder,
    // whatever their display.
    static QStringList namesOfThisUser(const QString& folder);

    // The user's runtime folder (XDG_RUNTIME_DIR), else the system's
    // temporary folder.
    static QString sessionFolder();
    // "quillstead-<user id>-<display>", the display from WAYLAND_DISPLAY or
    // else DISPLAY (without its screen number), so each desktop session of a
    // user has its own copy.
    static QString sessionName();

    QString lockPath() const;
    QString socketPath() const;

signals:
    // A later start asked this copy to bring its window to the front.
    void anotherStartRequested();
    // A script asked for request (its line, without the line end); answer
    // takes the whole reply, once, and ends the conversation.
    void requestReceived(const QByteArray& request, const RequestAnswer& answer);

private:
    void listen();
    void askRunningCopyToComeForward() const;
    void acceptRequests();
    static QString serverName(const QString& socketPath);

    QString m_folder;
    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

#pragma once

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QThread>

#include <unistd.h>

// A real drive of one kind, made in an image file and mounted on a folder for
// one test, taken away again when the test ends: the drives people back up
// to, through the drivers they use (FUSE for exFAT, NTFS and sshfs, which
// this kernel has no driver of its own for). Mounting needs root, and FUSE
// drives /dev/fuse and the driver's package; where anything is missing the
// drive is not mounted and whyNot() says why, in one line.
class MountedDrive {
public:
    enum class Kind { Exfat, Ntfs, NtfsWindowsNames, Sshfs, Tmpfs };

    // The image and the mount point go below work; a FUSE driver runs in the
    // foreground with its debug output in debugLog() when asked to.
    MountedDrive(Kind kind, const QString& work, int megabytes = 64, bool debug = false)
        : m_kind(kind)
        , m_work(work)
        , m_mountPoint(work + QStringLiteral("/mnt"))
    {
        QDir().mkpath(m_mountPoint);
        m_whyNot = mount(megabytes, debug);
    }
    ~MountedDrive()
    {
        unmount();
        if (!m_loopDevice.isEmpty())
            QProcess::execute(QStringLiteral("losetup"), { QStringLiteral("-d"), m_loopDevice });
    }
    MountedDrive(const MountedDrive&) = delete;
    MountedDrive& operator=(const MountedDrive&) = delete;

    bool isMounted() const { return m_whyNot.isEmpty(); }
    const QString& whyNot() const { return m_whyNot; }
    const QString& path() const { return m_mountPoint; }
    QByteArray debugLog() const
    {
        QFile log(m_work + QStringLiteral("/driver.log"));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }
    // Takes the drive away; lazily: at once from the folder tree, while files
    // still open on it stay usable, as when a drive is pulled.
    void unmount(bool lazy = false)
    {
        if (!m_mounted)
            return;
        QStringList arguments { m_mountPoint };
        if (lazy)
            arguments.prepend(QStringLiteral("-l"));
        QProcess::execute(QStringLiteral("umount"), arguments);
        m_mounted = false;
        if (m_driver.state() != QProcess::NotRunning && !m_driver.waitForFinished(10000))
            m_driver.kill();
    }

private:
    static QString tool(const QString& name)
    {
        return QStandardPaths::findExecutable(name,
            { QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin"),
                QStringLiteral("/bin") });
    }
    static bool run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
    {
        QProcess process;
        process.start(tool(program), arguments);
        const bool ok = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
        if (output)
            *output = process.readAllStandardOutput().trimmed();
        return ok;
    }
    static bool makeImage(const QString& path, int megabytes)
    {
        QFile image(path);
        return image.open(QIODevice::WriteOnly) && image.resize(qint64(megabytes) << 20);
    }
    bool isMountedNow() const
    {
        QFile mounts(QStringLiteral("/proc/self/mounts"));
        if (!mounts.open(QIODevice::ReadOnly))
            return false;
        const QByteArray where = ' ' + QFile::encodeName(m_mountPoint) + ' ';
        return mounts.readAll().contains(where);
    }

    // Empty when mounted, else why not.
    QString mount(int megabytes, bool debug)
    {
        const bool fuse = m_kind != Kind::Tmpfs;
        if (::geteuid() != 0)
            return QStringLiteral("needs root to mount a drive");
        if (fuse && !QFile::exists(QStringLiteral("/dev/fuse")))
            return QStringLiteral("needs /dev/fuse to mount a FUSE drive");
        const QString image = m_work + QStringLiteral("/drive.img");
        QString program;
        QStringList arguments;
        switch (m_kind) {
        case Kind::Exfat: {
            if (tool(QStringLiteral("mkfs.exfat")).isEmpty()
                || tool(QStringLiteral("mount.exfat-fuse")).isEmpty())
                return QStringLiteral(
                    "needs mkfs.exfat and mount.exfat-fuse (Debian exfatprogs, exfat-fuse)");
            if (!makeImage(image, megabytes) || !run(QStringLiteral("mkfs.exfat"), { image }))
                return QStringLiteral("cannot make an exFAT image");
            // exfat-fuse mounts block devices only.
            QByteArray device;
            if (!run(QStringLiteral("losetup"), { QStringLiteral("-f"), QStringLiteral("--show"), image },
                    &device))
                return QStringLiteral("cannot attach a loop device here");
            m_loopDevice = QString::fromUtf8(device);
            program = QStringLiteral("mount.exfat-fuse");
            arguments = { m_loopDevice, m_mountPoint };
            break;
        }
        case Kind::Ntfs:
        case Kind::NtfsWindowsNames:
            if (tool(QStringLiteral("mkntfs")).isEmpty() || tool(QStringLiteral("ntfs-3g")).isEmpty())
                return QStringLiteral("needs mkntfs and ntfs-3g (Debian ntfs-3g)");
            if (!makeImage(image, megabytes)
                || !run(QStringLiteral("mkntfs"),
                    { QStringLiteral("-F"), QStringLiteral("-q"), QStringLiteral("-f"), image }))
                return QStringLiteral("cannot make an NTFS image");
            program = QStringLiteral("ntfs-3g");
            arguments = { image, m_mountPoint };
            if (m_kind == Kind::NtfsWindowsNames || debug) {
                QStringList options;
                if (m_kind == Kind::NtfsWindowsNames)
                    options << QStringLiteral("windows_names");
                if (debug)
                    options << QStringLiteral("debug"); // its way to say -d
                arguments << QStringLiteral("-o") << options.join(u',');
            }
            break;
        case Kind::Sshfs: {
            const QString server = QStringLiteral("/usr/lib/openssh/sftp-server");
            if (tool(QStringLiteral("sshfs")).isEmpty() || !QFile::exists(server))
                return QStringLiteral("needs sshfs and an SFTP server (Debian sshfs, openssh-sftp-server)");
            // The share is a folder of this machine, served over SFTP
            // without a network: the "ssh" command starts the server itself.
            QDir().mkpath(m_work + QStringLiteral("/share"));
            // Asked to, the server logs every request it takes (flushes included).
            const QByteArray log
                = debug ? " -e -l DEBUG3 2>>'" + QFile::encodeName(m_work) + "/driver.log'" : "";
            QFile command(m_work + QStringLiteral("/ssh"));
            if (!command.open(QIODevice::WriteOnly)
                || command.write("#!/bin/sh\nexec " + QFile::encodeName(server) + log + "\n") < 0)
                return QStringLiteral("cannot write the ssh command");
            command.close();
            command.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
            debug = false;
            program = QStringLiteral("sshfs");
            arguments = { QStringLiteral("localhost:") + m_work + QStringLiteral("/share"), m_mountPoint,
                QStringLiteral("-o"), QStringLiteral("ssh_command=") + command.fileName() };
            break;
        }
        case Kind::Tmpfs:
            program = QStringLiteral("mount");
            arguments = { QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                QStringLiteral("size=%1k").arg(megabytes * 1024), QStringLiteral("tmpfs"), m_mountPoint };
            debug = false;
            break;
        }
        if (debug) {
            // In the foreground, as long as it is mounted, telling what it is asked.
            if (m_kind == Kind::Exfat)
                arguments.prepend(QStringLiteral("-d"));
            m_driver.setStandardOutputFile(m_work + QStringLiteral("/driver.log"));
            m_driver.setStandardErrorFile(m_work + QStringLiteral("/driver.log"), QIODevice::Append);
            m_driver.start(tool(program), arguments);
        } else if (!run(program, arguments)) {
            return QStringLiteral("cannot mount the drive with %1").arg(program);
        }
        const QDeadlineTimer deadline(10000);
        while (!isMountedNow() && !deadline.hasExpired())
            QThread::msleep(20);
        if (!isMountedNow())
            return QStringLiteral("%1 did not mount the drive").arg(program);
        m_mounted = true;
        return {};
    }

    Kind m_kind;
    QString m_work;
    QString m_mountPoint;
    QString m_loopDevice;
    QProcess m_driver;
    bool m_mounted = false;
    QString m_whyNot;
};

// quillstead-fake-logind ADDRESS: stands in for logind on the D-Bus bus at
// ADDRESS. It answers org.freedesktop.login1.Manager.Inhibit with one end of
// a pipe, writes "inhibit <what> <who> <why> <mode>" to stdout, and
// "released" once every copy of that end is closed; "ready" once it listens.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QSocketNotifier>
#include <QTextStream>

#include <unistd.h>

namespace {

void say(const QString& line)
{
    QTextStream out(stdout);
    out << line << "\n";
    out.flush();
}

} // namespace

class Manager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public slots:
    QDBusUnixFileDescriptor Inhibit(
        const QString& what, const QString& who, const QString& why, const QString& mode)
    {
        int ends[2];
        if (::pipe(ends) != 0)
            return {};
        say(QStringList { "inhibit", what, who, why, mode }.join(u' '));
        auto* watch = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
        connect(watch, &QSocketNotifier::activated, this, [watch, end = ends[0]] {
            char byte;
            if (::read(end, &byte, 1) <= 0) {
                watch->setEnabled(false);
                ::close(end);
                say("released");
            }
        });
        QDBusUnixFileDescriptor given(ends[1]); // a copy: this one closes now
        ::close(ends[1]);
        return given;
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 2;
    QDBusConnection bus
        = QDBusConnection::connectToBus(QString::fromLocal8Bit(argv[1]), QStringLiteral("bus"));
    Manager manager;
    if (!bus.registerObject(
            QStringLiteral("/org/freedesktop/login1"), &manager, QDBusConnection::ExportAllSlots)
        || !bus.registerService(QStringLiteral("org.freedesktop.login1")))
        return 1;
    say("ready");
    return application.exec();
}

#include "fake-logind.moc"

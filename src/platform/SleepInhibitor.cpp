#include "SleepInhibitor.h"

#include <QDBusMessage>
#include <QDBusReply>

namespace {

// A logind that does not answer at once must not hold a run back.
constexpr int CallTimeoutMs = 1000;

} // namespace

SleepInhibitor::SleepInhibitor()
    : SleepInhibitor(QDBusConnection::systemBus())
{
}

SleepInhibitor::SleepInhibitor(QDBusConnection bus)
    : m_bus(std::move(bus))
{
}

bool SleepInhibitor::hold(const QString& why)
{
    if (isHeld())
        return true;
    if (!m_bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
        QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("Quillstead") << why << QStringLiteral("delay");
    const QDBusReply<QDBusUnixFileDescriptor> reply = m_bus.call(call, QDBus::Block, CallTimeoutMs);
    if (!reply.isValid() || !reply.value().isValid())
        return false;
    m_held = reply.value();
    return true;
}

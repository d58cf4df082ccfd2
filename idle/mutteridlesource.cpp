#include "idle/mutteridlesource.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString Service = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString Path = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString Interface = QStringLiteral("org.gnome.Mutter.IdleMonitor");

QDBusMessage call(const QString& method, const QVariantList& arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Interface, method);
    message.setArguments(arguments);
    return message;
}

} // namespace

std::unique_ptr<MutterIdleSource> MutterIdleSource::Open()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(Service))
        return nullptr;
    // The monitor answers only where the compositor really is GNOME's; a name left by a
    // stray process must not take the place of the desktop's own source.
    const QDBusMessage reply = bus.call(call(QStringLiteral("GetIdletime")), QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return nullptr;
    return std::unique_ptr<MutterIdleSource>(new MutterIdleSource);
}

MutterIdleSource::MutterIdleSource()
    : m_vanished(Service, QDBusConnection::sessionBus(),
                 QDBusServiceWatcher::WatchForUnregistration)
{
    QDBusConnection::sessionBus().connect(Service, Path, Interface, QStringLiteral("WatchFired"),
                                          this, SLOT(onWatchFired(uint)));
    connect(&m_vanished, &QDBusServiceWatcher::serviceUnregistered, this,
            [this] { emit Lost(QStringLiteral("vokabo-idle: GNOME skončilo")); });
}

void MutterIdleSource::Watch(std::chrono::milliseconds timeout)
{
    m_timeout = quint64(timeout.count());
    addIdleWatch(m_timeout);
}

void MutterIdleSource::RestartTiming()
{
    auto* pending = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call(QStringLiteral("GetIdletime"))), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<quint64> idletime = *w;
        w->deleteLater();
        if (!idletime.isError())
            addIdleWatch(idletime.value() + m_timeout);
    });
}

void MutterIdleSource::onWatchFired(uint id)
{
    if (id == 0)
        return;
    if (id == m_idleWatch) {
        addActiveWatch();
        emit Idle();
    } else if (id == m_activeWatch) {
        // The monitor drops a fired activity watch by itself.
        m_activeWatch = 0;
        if (m_idleInterval != m_timeout)
            addIdleWatch(m_timeout);
        emit Active();
    }
}

void MutterIdleSource::addIdleWatch(quint64 interval)
{
    removeWatch(m_idleWatch);
    m_idleInterval = interval;
    auto* pending = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(
            call(QStringLiteral("AddIdleWatch"), {QVariant::fromValue(interval)})),
        this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, interval](QDBusPendingCallWatcher* w) {
                const QDBusPendingReply<uint> id = *w;
                w->deleteLater();
                if (id.isError())
                    return;
                // Asked for anew before this answer came: this watch is no longer wanted.
                uint watch = id.value();
                if (interval == m_idleInterval && m_idleWatch == 0)
                    m_idleWatch = watch;
                else
                    removeWatch(watch);
            });
}

void MutterIdleSource::addActiveWatch()
{
    if (m_activeWatch != 0)
        return;
    auto* pending = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call(QStringLiteral("AddUserActiveWatch"))), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<uint> id = *w;
        w->deleteLater();
        if (!id.isError())
            m_activeWatch = id.value();
    });
}

void MutterIdleSource::removeWatch(uint& id)
{
    if (id == 0)
        return;
    QDBusConnection::sessionBus().asyncCall(
        call(QStringLiteral("RemoveWatch"), {QVariant::fromValue(id)}));
    id = 0;
}

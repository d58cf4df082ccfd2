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

// Sends the call and hands its answer, when it comes, to handle; a failed call is dropped:
// the watch it was for simply does not exist.
template <class Answer, class Handle>
void whenAnswered(QObject* context, const QDBusMessage& message, Handle handle)
{
    auto* pending =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message), context);
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, context,
                     [handle](QDBusPendingCallWatcher* watcher) {
                         const QDBusPendingReply<Answer> answer = *watcher;
                         watcher->deleteLater();
                         if (!answer.isError())
                             handle(answer.value());
                     });
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
    whenAnswered<quint64>(this, call(QStringLiteral("GetIdletime")),
                          [this](quint64 idletime) { addIdleWatch(idletime + m_timeout); });
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
    whenAnswered<uint>(this, call(QStringLiteral("AddIdleWatch"), {QVariant::fromValue(interval)}),
                       [this, interval](uint watch) {
                           // Asked for anew before this answer came: this watch is no longer
                           // wanted.
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
    whenAnswered<uint>(this, call(QStringLiteral("AddUserActiveWatch")),
                       [this](uint watch) { m_activeWatch = watch; });
}

void MutterIdleSource::removeWatch(uint& id)
{
    if (id == 0)
        return;
    QDBusConnection::sessionBus().asyncCall(
        call(QStringLiteral("RemoveWatch"), {QVariant::fromValue(id)}));
    id = 0;
}

#include "idle/desktopstate.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

DBusFlag::DBusFlag(Query query, QObject* parent)
    : QObject(parent), m_query(std::move(query)),
      m_watcher(m_query.service, QDBusConnection::sessionBus(),
                QDBusServiceWatcher::WatchForOwnerChange)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    for (const QString& signal : m_query.changeSignals)
        bus.connect(m_query.service, m_query.path, m_query.interface, signal, this, SLOT(ask()));
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (newOwner.isEmpty())
                    set(false);
                else
                    ask();
            });
    if (bus.interface()->isServiceRegistered(m_query.service))
        ask();
}

void DBusFlag::ask()
{
    QDBusMessage message = QDBusMessage::createMethodCall(m_query.service, m_query.path,
                                                          m_query.interface, m_query.method);
    message.setArguments(m_query.arguments);
    auto* pending =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<bool> reply = *w;
        w->deleteLater();
        set(!reply.isError() && reply.value());
    });
}

void DBusFlag::set(bool value)
{
    if (value == m_value)
        return;
    m_value = value;
    emit Changed(value);
}

namespace {

// The idle bit of GNOME's session inhibitors, which applications also reach through
// org.freedesktop.ScreenSaver.Inhibit on GNOME.
constexpr uint GnomeInhibitIdle = 8;
// What KDE Plasma records an org.freedesktop.ScreenSaver.Inhibit as.
constexpr uint KdeInhibitScreenSettings = 4;

} // namespace

DesktopState::DesktopState(QObject* parent) : QObject(parent)
{
    m_inhibitors << new DBusFlag(
                        {QStringLiteral("org.gnome.SessionManager"),
                         QStringLiteral("/org/gnome/SessionManager"),
                         QStringLiteral("org.gnome.SessionManager"),
                         QStringLiteral("IsInhibited"),
                         {QVariant::fromValue(GnomeInhibitIdle)},
                         {QStringLiteral("InhibitorAdded"), QStringLiteral("InhibitorRemoved")}},
                        this)
                 << new DBusFlag({QStringLiteral("org.kde.Solid.PowerManagement.PolicyAgent"),
                                  QStringLiteral("/org/kde/Solid/PowerManagement/PolicyAgent"),
                                  QStringLiteral("org.kde.Solid.PowerManagement.PolicyAgent"),
                                  QStringLiteral("HasInhibition"),
                                  {QVariant::fromValue(KdeInhibitScreenSettings)},
                                  {QStringLiteral("InhibitionsChanged")}},
                                 this);
    // GNOME's shield and KDE Plasma's locker say when they come up; elsewhere the lock screen
    // protocol keeps every other window under the locker anyway.
    m_locks << new DBusFlag({QStringLiteral("org.gnome.ScreenSaver"),
                             QStringLiteral("/org/gnome/ScreenSaver"),
                             QStringLiteral("org.gnome.ScreenSaver"),
                             QStringLiteral("GetActive"),
                             {},
                             {QStringLiteral("ActiveChanged")}},
                            this)
            << new DBusFlag({QStringLiteral("org.freedesktop.ScreenSaver"),
                             QStringLiteral("/org/freedesktop/ScreenSaver"),
                             QStringLiteral("org.freedesktop.ScreenSaver"),
                             QStringLiteral("GetActive"),
                             {},
                             {QStringLiteral("ActiveChanged")}},
                            this);
    const auto follow = [this](const QList<DBusFlag*>& flags, bool& state, auto changed) {
        for (DBusFlag* flag : flags) {
            connect(flag, &DBusFlag::Changed, this, [this, &flags, &state, changed] {
                const bool now = std::any_of(flags.cbegin(), flags.cend(),
                                             [](const DBusFlag* f) { return f->Value(); });
                if (now != state) {
                    state = now;
                    emit(this->*changed)(now);
                }
            });
        }
    };
    follow(m_inhibitors, m_inhibited, &DesktopState::InhibitedChanged);
    follow(m_locks, m_locked, &DesktopState::LockedChanged);
}

bool DesktopState::Inhibited() const
{
    return m_inhibited;
}

bool DesktopState::Locked() const
{
    return m_locked;
}

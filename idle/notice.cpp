#include "idle/notice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

QString EnabledNotice(std::chrono::milliseconds idleTime)
{
    QString minutes = QString::number(double(idleTime.count()) / 60'000, 'g', 6);
    minutes.replace(QLatin1Char('.'), QLatin1Char(','));
    return QStringLiteral("Spořič Vokabo při nečinnosti je zapnutý: spustí se po %1 min "
                          "nečinnosti, i po každém přihlášení. Vypnete ho příkazem "
                          "vokabo-idle --disable.")
        .arg(minutes);
}

QString DisabledNotice()
{
    return QStringLiteral("Spořič Vokabo při nečinnosti je vypnutý.");
}

void ShowDesktopNotice(const QString& text)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify.setArguments({QStringLiteral("Vokabo"), 0u, QStringLiteral("vokabo"),
                         QStringLiteral("Spořič Vokabo"), text, QStringList(), QVariantMap(), -1});
    // Waited for, or the process could end before the message leaves; not for long, since a
    // desktop without notifications answers at once.
    bus.call(notify, QDBus::Block, 2000);
}

#include "idle/watcherinstance.h"

#include <chrono>
#include <csignal>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

namespace {

QString lockPath(const QString& folder)
{
    return folder + QStringLiteral("/vokabo-idle.lock");
}
QString pidPath(const QString& folder)
{
    return folder + QStringLiteral("/vokabo-idle.pid");
}

// The number in the file names this program only while the lock is held, and only if that
// process really is a watcher: a process id left from a watcher that died may be reused.
bool isWatcher(qint64 pid)
{
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    return QFileInfo(exe).fileName().startsWith(QLatin1String("vokabo-idle"));
}

} // namespace

WatcherInstance::WatcherInstance(const QString& folder) : m_lock(lockPath(folder))
{
    if (m_lock.Result() != OwnerLock::Outcome::Owned)
        return;
    QSaveFile file(pidPath(folder));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QByteArray::number(QCoreApplication::applicationPid()));
        file.commit();
    }
}

QString WatcherInstance::StopRunning(const QString& folder)
{
    const auto running = [&folder] {
        return OwnerLock(lockPath(folder)).Result() == OwnerLock::Outcome::HeldByOther;
    };
    if (!running())
        return {};
    QFile file(pidPath(folder));
    bool ok = false;
    const qint64 pid = file.open(QIODevice::ReadOnly) ? file.read(32).trimmed().toLongLong(&ok) : 0;
    if (!ok || pid <= 1 || !isWatcher(pid) || ::kill(pid_t(pid), SIGTERM) != 0)
        return QStringLiteral("běžící sledování nečinnosti nelze ukončit");
    QDeadlineTimer deadline(std::chrono::seconds(3));
    while (running()) {
        if (deadline.hasExpired())
            return QStringLiteral("sledování nečinnosti (proces %1) se neukončilo").arg(pid);
        QThread::msleep(50);
    }
    return {};
}

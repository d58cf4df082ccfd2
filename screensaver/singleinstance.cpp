#include "screensaver/singleinstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& lockFolder)
{
    QDir().mkpath(lockFolder);
    m_lock = std::make_unique<QLockFile>(lockFolder + QStringLiteral("/vokabo.lock"));
    // A live owner keeps the lock however long it runs; one that died leaves a lock that
    // QLockFile recognises by its process id and takes over.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0))
        // Only a lock held by a live process counts; a folder we cannot write to must not
        // keep the saver from running at all.
        m_prevInstance = m_lock->error() == QLockFile::LockFailedError;
}

QString SingleInstance::DefaultLockFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return folder;
}

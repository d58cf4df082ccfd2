#include "screensaver/singleinstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& lockFolder)
{
    QDir().mkpath(lockFolder);
    m_lock = std::make_unique<OwnerLock>(lockFolder + QStringLiteral("/vokabo.lock"));
    // Only a lock held by a live process counts; a folder we cannot write to must not keep
    // the saver from running at all.
    m_prevInstance = m_lock->Result() == OwnerLock::Outcome::HeldByOther;
}

QString SingleInstance::DefaultLockFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // Where the system has no runtime folder of its own (Windows), Qt names the home folder,
    // where a lock file would lie in the user's way.
    if (folder.isEmpty() ||
        folder == QStandardPaths::writableLocation(QStandardPaths::HomeLocation))
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return folder;
}

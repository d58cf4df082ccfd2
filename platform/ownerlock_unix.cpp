#include "platform/ownerlock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens the lock file, or -1. Never follows a link and never waits on a FIFO: the lock
// folder is the user's own, but what lies in it need not be a file this program made.
int openLockFile(const QByteArray& path)
{
    int fd = -1;
    do {
        fd = ::open(path.constData(),
                    O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Something that is not a usable lock file stands in its place: a folder, a link, a FIFO, or
// a file this user may not open. Clear it so that a fresh file can take its place; a folder
// that holds anything is left alone.
bool clearObstacle(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return QDir().rmdir(path);
    return QFile::remove(path);
}

} // namespace

OwnerLock::OwnerLock(const QString& path)
{
    const QByteArray nativePath = QFile::encodeName(path);
    m_handle = openLockFile(nativePath);
    if (m_handle < 0 && errno != ENOENT && clearObstacle(path))
        m_handle = openLockFile(nativePath);
    if (m_handle < 0)
        return;
    int locked = -1;
    do {
        locked = ::flock(int(m_handle), LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked == 0) {
        m_outcome = Outcome::Owned;
        return;
    }
    m_outcome = errno == EWOULDBLOCK ? Outcome::HeldByOther : Outcome::Unavailable;
    ::close(int(m_handle));
    m_handle = -1;
}

OwnerLock::~OwnerLock()
{
    // The file stays: removing it would let a process that opened it a moment ago lock a
    // file that no longer has a name, beside a third one that creates it anew.
    if (m_handle >= 0)
        ::close(int(m_handle));
}

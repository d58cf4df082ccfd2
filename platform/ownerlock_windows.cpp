#include "platform/ownerlock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

namespace {

// Others may open the file, to look at it, but may not delete it while it is held: a cleaner
// of the temporary folder must not make room for a second saver.
HANDLE openLockFile(const QString& path)
{
    return CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
                       GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A folder or a read-only file in the lock's place; a folder that holds anything stays.
bool clearObstacle(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QDir().rmdir(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return QFile::remove(path);
}

} // namespace

OwnerLock::OwnerLock(const QString& path)
{
    HANDLE file = openLockFile(path);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_PATH_NOT_FOUND &&
        clearObstacle(path))
        file = openLockFile(path);
    if (file == INVALID_HANDLE_VALUE)
        return;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return;
    }
    // The system drops a byte-range lock when its process ends, however it ends; what the
    // file holds is never looked at.
    OVERLAPPED firstByte{};
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &firstByte)) {
        m_handle = reinterpret_cast<qintptr>(file);
        m_outcome = Outcome::Owned;
        return;
    }
    m_outcome =
        GetLastError() == ERROR_LOCK_VIOLATION ? Outcome::HeldByOther : Outcome::Unavailable;
    CloseHandle(file);
}

OwnerLock::~OwnerLock()
{
    if (m_handle != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

#include "platform/regularfile.h"

#include <QDir>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

std::unique_ptr<QFile> OpenRegularFile(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    // Names such as CON, NUL or COM1 open a device in any folder, and a pipe has a name of its
    // own; the type is taken from what was opened, so only a file on a disk gets through.
    // A folder does not open without a flag asked for here.
    HANDLE handle =
        CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
                    GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return nullptr;
    }
    return file;
}

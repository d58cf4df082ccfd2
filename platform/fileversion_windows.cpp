#include "platform/fileversion.h"

#include "platform/regularfile.h"

#include <QFileInfo>

#include <io.h>
#include <windows.h>

namespace {

// Windows counts in 100 ns steps from 1601.
qint64 nanosecondsSinceEpoch(const LARGE_INTEGER& time)
{
    constexpr qint64 From1601To1970 = 116'444'736'000'000'000;
    return (time.QuadPart - From1601To1970) * 100;
}

} // namespace

// The volume and the file's index on it stand for device and inode: a file saved anew in the
// path's place is another file, even with the same bytes and the same second.
std::optional<FileVersion> ReadFileVersion(const QString& path, qint64 limit)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return FileVersion{};
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!file)
        return std::nullopt;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file->handle()));
    BY_HANDLE_FILE_INFORMATION identity{};
    FILE_BASIC_INFO times{};
    if (!GetFileInformationByHandle(handle, &identity) ||
        !GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times))
        return std::nullopt;
    const qint64 size = (qint64(identity.nFileSizeHigh) << 32) | identity.nFileSizeLow;
    if (size > limit)
        return std::nullopt;
    FileVersion version;
    version.exists = true;
    version.bytes = file->read(limit + 1);
    if (file->error() != QFileDevice::NoError || version.bytes.size() > limit)
        return std::nullopt;
    version.device = identity.dwVolumeSerialNumber;
    version.inode = (quint64(identity.nFileIndexHigh) << 32) | identity.nFileIndexLow;
    version.size = size;
    version.modifiedNs = nanosecondsSinceEpoch(times.LastWriteTime);
    version.statusChangedNs = nanosecondsSinceEpoch(times.ChangeTime);
    return version;
}

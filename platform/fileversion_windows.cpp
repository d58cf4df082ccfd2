#include "platform/fileversion.h"

#include "platform/regularfile.h"

#include <QDateTime>
#include <QFileInfo>

// Windows has no inode that Qt shows; the size, the time and the bytes tell a change.
std::optional<FileVersion> ReadFileVersion(const QString& path, qint64 limit)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return FileVersion{};
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!file || file->size() > limit)
        return std::nullopt;
    FileVersion version;
    version.exists = true;
    version.bytes = file->read(limit + 1);
    if (file->error() != QFileDevice::NoError || version.bytes.size() > limit)
        return std::nullopt;
    version.size = version.bytes.size();
    version.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1'000'000;
    version.statusChangedNs = info.metadataChangeTime().toMSecsSinceEpoch() * 1'000'000;
    return version;
}

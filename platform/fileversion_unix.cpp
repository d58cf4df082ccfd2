#include "platform/fileversion.h"

#include "platform/regularfile.h"

#include <cerrno>
#include <QFile>
#include <sys/stat.h>

namespace {

qint64 nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

} // namespace

std::optional<FileVersion> ReadFileVersion(const QString& path, qint64 limit)
{
    struct stat entry {};
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0)
        return errno == ENOENT ? std::optional<FileVersion>(FileVersion{}) : std::nullopt;
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    struct stat info {};
    if (!file || ::fstat(file->handle(), &info) != 0 || info.st_size > limit)
        return std::nullopt;
    FileVersion version;
    version.exists = true;
    // As much as there is, and a byte more to see a file that grew meanwhile; a buffer of
    // `limit` bytes for every read of a small file would cost more than the read.
    version.bytes = file->read(qMin<qint64>(info.st_size, limit) + 1);
    if (version.bytes.size() > info.st_size)
        version.bytes += file->read(limit + 1 - version.bytes.size());
    if (file->error() != QFileDevice::NoError || version.bytes.size() > limit)
        return std::nullopt;
    version.device = info.st_dev;
    version.inode = info.st_ino;
    version.size = info.st_size;
    version.modifiedNs = nanoseconds(info.st_mtim);
    version.statusChangedNs = nanoseconds(info.st_ctim);
    return version;
}

#pragma once

#include <optional>
#include <QByteArray>
#include <QString>
#include <QtGlobal>

// A file as it was read: its bytes, and what tells whether it has changed since, even back to
// the same bytes: which file the path named (device and inode), its size, and its
// modification and status-change times to the nanosecond. A path that named nothing is a
// version too: a file created there later is a change.
struct FileVersion {
    bool exists = false;
    QByteArray bytes;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0; // since the epoch
    qint64 statusChangedNs = 0;

    bool operator==(const FileVersion&) const = default;
};

// Reads the file a path names, after links, whole. Nothing when it is no regular file (a
// FIFO must not block the read), cannot be read, or holds more than `limit` bytes; a link
// that leads nowhere is no missing file either: a write through it would create a file
// wherever it points.
std::optional<FileVersion> ReadFileVersion(const QString& path, qint64 limit);

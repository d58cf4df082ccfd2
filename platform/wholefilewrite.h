#pragma once

#include <QByteArrayView>
#include <QString>

struct FileVersion;

// How a write that stores the user's data ended. On failure the old file is whole and
// `reason` says why, in the system's words, for the message that reports it.
struct WholeFileWrite {
    bool written = false;
    QString reason;
    // Nothing was written because the file is no longer as the caller read it.
    bool changed = false;

    explicit operator bool() const { return written; }
};

// Replaces the file's content with `bytes` as a whole: the new content is complete on disk
// before it takes the old one's place, and the write, the flush and the commit are each
// checked, so a full disk or a failing device leaves the old file as it was. A link is
// followed: its target gets the new content.
WholeFileWrite WriteWholeFile(const QString& path, QByteArrayView bytes);

// The same, but only while the file is still as `asRead` was read: compared once the new
// content is complete, right before it takes the old one's place. A file that changed since,
// even back to the same bytes, keeps what it holds.
WholeFileWrite WriteWholeFileIfUnchanged(const QString& path, QByteArrayView bytes,
                                         const FileVersion& asRead);

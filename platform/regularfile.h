#pragma once

#include <QFile>
#include <QString>
#include <memory>

// Opens a file for reading only when what the path names, after links, is a regular file.
// A FIFO without a writer, a device such as /dev/zero or a socket would block or never end a
// read on the user-interface thread; they give nothing, as a missing file does. Opening
// itself never waits for such a file.
std::unique_ptr<QFile> OpenRegularFile(const QString& path);

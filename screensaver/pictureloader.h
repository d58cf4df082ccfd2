#pragma once

#include <QImage>
#include <QString>
#include <optional>

// A picture from a file. An empty path gives the empty picture; a path that names no
// readable picture, or one too large to decode safely, gives nothing and the caller keeps
// what it showed.
std::optional<QImage> LoadPicture(const QString& path);

#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// A picture from a file, turned upright as its camera recorded. An empty path gives the empty
// picture; a path that names no regular file, no readable picture, or one beyond 100
// megapixels gives nothing and the caller keeps what it showed.
//
// visible: the most of the picture, from its top-left corner, that is ever drawn at its own
// size; only that part is decoded, so a large photo costs no more memory than a screenful.
// Without it the whole picture is wanted: one too large to hold comes shrunk to fit.
std::optional<QImage> LoadPicture(const QString& path, const QSize& visible = QSize());

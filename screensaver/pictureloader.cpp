#include "screensaver/pictureloader.h"

#include <QImageReader>

std::optional<QImage> LoadPicture(const QString& path)
{
    if (path.isEmpty())
        return QImage();
    QImageReader reader(path);
    // Qt's allocation limit (256 MB by default) turns an enormous picture into a failed
    // read instead of an exhausted machine.
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

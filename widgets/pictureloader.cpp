#include "widgets/pictureloader.h"

#include "platform/regularfile.h"

#include <QImageReader>
#include <QRect>

namespace {

constexpr qint64 MaxPixels = 100'000'000;
constexpr qint64 BytesPerPixel = 4;

// Where a rectangle of the upright picture lies in the picture as stored. The reader cuts
// before it turns: the stored picture is mirrored first, then turned a quarter clockwise.
QRect storedRect(const QRect& upright, const QSize& stored, QImageIOHandler::Transformations turn)
{
    QRect rect = upright;
    if (turn & QImageIOHandler::TransformationRotate90)
        rect = QRect(upright.y(), stored.height() - upright.x() - upright.width(), upright.height(),
                     upright.width());
    if (turn & QImageIOHandler::TransformationMirror)
        rect.moveLeft(stored.width() - rect.x() - rect.width());
    if (turn & QImageIOHandler::TransformationFlip)
        rect.moveTop(stored.height() - rect.y() - rect.height());
    return rect;
}

// The size the whole picture may be decoded at within the reader's allocation limit. JPEG
// decodes natively at a half, a quarter or an eighth of its size, without a full-size image
// on the way; sizes in between would cost one.
QSize sizeWithinLimit(const QSize& stored)
{
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    for (int divisor = 1; divisor <= 8; divisor *= 2) {
        const qint64 width = (stored.width() + divisor - 1) / divisor;
        const qint64 height = (stored.height() + divisor - 1) / divisor;
        if (limit <= 0 || width * height * BytesPerPixel <= limit)
            return QSize(qMax(1, stored.width() / divisor), qMax(1, stored.height() / divisor));
    }
    return QSize(qMax(1, stored.width() / 8), qMax(1, stored.height() / 8));
}

} // namespace

std::optional<QImage> LoadPicture(const QString& path, const QSize& visible)
{
    if (path.isEmpty())
        return QImage();
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!file)
        return std::nullopt;
    QImageReader reader(file.get());
    // Upright as the camera recorded it: a phone photo taken sideways is not drawn on its side.
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isValid()) {
        if (qint64(stored.width()) * stored.height() > MaxPixels)
            return std::nullopt;
        const QImageIOHandler::Transformations turn = reader.transformation();
        const QSize upright =
            turn & QImageIOHandler::TransformationRotate90 ? stored.transposed() : stored;
        if (visible.isValid()) {
            const QRect part(QPoint(0, 0), upright.boundedTo(visible));
            if (part.size() != upright)
                reader.setClipRect(storedRect(part, stored, turn));
        } else if (const QSize fit = sizeWithinLimit(stored); fit != stored) {
            reader.setScaledSize(fit);
        }
    }
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

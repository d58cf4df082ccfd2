#include "resources/logo.h"

#include <QFile>
#include <QImage>
#include <QtEndian>

namespace {

// Our own bitmap is a plain 24-bit one, so it is decoded here: going through the image
// reader would make every start scan all the image format plugins first.
QImage decodeBitmap(const QByteArray& file)
{
    const auto u32 = [&](int offset) { return qFromLittleEndian<quint32>(file.constData() + offset); };
    const auto u16 = [&](int offset) { return qFromLittleEndian<quint16>(file.constData() + offset); };
    if (file.size() < 54 || !file.startsWith("BM") || u16(28) != 24 || u32(30) != 0)
        return {};
    const int width = static_cast<int>(u32(18));
    const int height = static_cast<int>(u32(22));
    const qsizetype stride = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    const qsizetype pixels = u32(10);
    if (width <= 0 || height <= 0 || pixels + stride * height > file.size())
        return {};
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uchar*>(file.constData() + pixels + stride * (height - 1 - y));
        uchar* out = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            out[3 * x] = row[3 * x + 2];
            out[3 * x + 1] = row[3 * x + 1];
            out[3 * x + 2] = row[3 * x];
        }
    }
    return image;
}

} // namespace

QPixmap Logo()
{
    QFile file(QStringLiteral(":/logo.bmp"));
    file.open(QIODevice::ReadOnly);
    return QPixmap::fromImage(decodeBitmap(file.readAll()));
}

#include "support/testenvironment.h"
#include "widgets/pictureloader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#endif

class TestPictureLoader : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_dir.reset(); }

    void notARegularFileIsNoPicture_data();
    void notARegularFileIsNoPicture();
    void visiblePartMatchesTheUprightPicture_data();
    void visiblePartMatchesTheUprightPicture();
    void photoOfFortyEightMegapixels();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QByteArray jpeg(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

// A camera's orientation tag (1 to 8), as the one entry of an Exif block right after the
// start of the file.
QByteArray withOrientation(const QByteArray& jpegBytes, int orientation)
{
    QByteArray exif("Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 24);
    exif += char(0);
    exif += char(orientation);
    exif += QByteArray(6, '\0');
    const int length = int(exif.size()) + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    return jpegBytes.left(2) + segment + exif + jpegBytes.mid(2);
}

bool closeColours(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) <= 12 && qAbs(qGreen(a) - qGreen(b)) <= 12 &&
           qAbs(qBlue(a) - qBlue(b)) <= 12;
}

} // namespace

void TestPictureLoader::notARegularFileIsNoPicture_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO without a writer") << QStringLiteral("fifo");
    QTest::newRow("link to a FIFO") << QStringLiteral("link to fifo");
    QTest::newRow("link to /dev/zero") << QStringLiteral("/dev/zero");
    QTest::newRow("folder") << QStringLiteral("folder");
}

void TestPictureLoader::notARegularFileIsNoPicture()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, kind);
    const QString picture = m_dir->filePath(QStringLiteral("photo.jpg"));
    QVERIFY(MakeNotRegularFile(kind, picture));
    QVERIFY(!LoadPicture(picture));
    QVERIFY(!LoadPicture(picture, QSize(1024, 768)));
#else
    QSKIP("FIFOs and devices are Unix files");
#endif
}

void TestPictureLoader::visiblePartMatchesTheUprightPicture_data()
{
    QTest::addColumn<int>("orientation");
    QTest::newRow("as stored") << 1;
    QTest::newRow("mirrored") << 2;
    QTest::newRow("upside down") << 3;
    QTest::newRow("flipped") << 4;
    QTest::newRow("flipped and turned") << 5;
    QTest::newRow("turned clockwise") << 6;
    QTest::newRow("mirrored and turned") << 7;
    QTest::newRow("turned anticlockwise") << 8;
}

void TestPictureLoader::visiblePartMatchesTheUprightPicture()
{
    QFETCH(int, orientation);
    QImage stored(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < stored.height(); ++y)
        for (int x = 0; x < stored.width(); ++x)
            stored.setPixel(x, y, qRgb(x * 4, y * 5, 128));
    const QString path = m_dir->filePath(QStringLiteral("photo.jpg"));
    WriteFile(path, withOrientation(jpeg(stored, 95), orientation));

    const auto whole = LoadPicture(path);
    QVERIFY(whole);
    QCOMPARE(whole->size(), orientation >= 5 ? QSize(48, 64) : QSize(64, 48));
    const QSize visible(40, 20);
    const auto part = LoadPicture(path, visible);
    QVERIFY(part);
    QCOMPARE(part->size(), visible);
    for (int y = 0; y < visible.height(); y += 3)
        for (int x = 0; x < visible.width(); x += 3)
            QVERIFY2(closeColours(part->pixel(x, y), whole->pixel(x, y)),
                     qPrintable(QStringLiteral("at %1,%2").arg(x).arg(y)));
    // A screen larger than the picture takes the picture as it is.
    QCOMPARE(LoadPicture(path, QSize(4000, 3000))->size(), whole->size());
}

void TestPictureLoader::photoOfFortyEightMegapixels()
{
    QImage stored(8000, 6000, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i)
        colours << qRgb(i, 255 - i, (i * 7) & 0xFF);
    stored.setColorTable(colours);
    for (int y = 0; y < stored.height(); ++y)
        memset(stored.scanLine(y), (y / 500) * 16, size_t(stored.bytesPerLine()));
    const QString path = m_dir->filePath(QStringLiteral("photo.jpg"));
    WriteFile(path, jpeg(stored, 50));
    stored = QImage();

    // Far below what the whole photo needs decoded (183 MiB): only what is seen may count.
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(16);
    const auto restore = qScopeGuard([limit] { QImageReader::setAllocationLimit(limit); });

    const auto screenful = LoadPicture(path, QSize(1024, 768));
    QVERIFY(screenful);
    QCOMPARE(screenful->size(), QSize(1024, 768));
    QVERIFY(closeColours(screenful->pixel(0, 0), colours.at(0)));
    const auto whole = LoadPicture(path);
    QVERIFY(whole);
    QVERIFY(whole->sizeInBytes() <= 16 * 1024 * 1024);
    QCOMPARE(whole->width() * 3 / 4, whole->height());
}

QTEST_GUILESS_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"

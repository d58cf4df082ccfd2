#include "dialog/picturechooser.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <QStringList>

QString PictureFilters()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format).toLower();
    patterns.removeDuplicates();
    patterns.sort();
    return QStringLiteral("obrázky jpg (*.jpg *.jpeg);;všechny obrázky (%1)")
        .arg(patterns.join(QLatin1Char(' ')));
}

QString PictureChooserStart(const QString& currentPicture)
{
    if (!currentPicture.isEmpty()) {
        const QFileInfo picture(currentPicture);
        if (picture.isAbsolute() && picture.dir().exists())
            return picture.exists() ? picture.absoluteFilePath() : picture.absolutePath();
    }
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QDir(pictures).exists())
        return pictures;
    return QDir::homePath();
}

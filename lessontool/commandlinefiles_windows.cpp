#include "lessontool/commandlinefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// Windows names files in UTF-16, which a QString carries whole.

bool ReadNamedFile(const LessonFile& file, qint64 limit, QByteArray& bytes, QString& error)
{
    const QFileInfo info(file.path);
    if (!info.exists()) {
        error = QStringLiteral("soubor neexistuje");
        return false;
    }
    if (!info.isFile()) {
        error = QStringLiteral("není to obyčejný soubor");
        return false;
    }
    QFile opened(file.path);
    if (!opened.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("soubor nejde otevřít");
        return false;
    }
    bytes = opened.read(qMin<qint64>(limit, info.size() + 1));
    if (opened.error() != QFileDevice::NoError) {
        error = QStringLiteral("soubor nejde přečíst");
        return false;
    }
    return true;
}

QString NamedFileBaseName(const LessonFile& file)
{
    return QFileInfo(file.path).completeBaseName();
}

OutputFolder::OutputFolder(const LessonFile& folder) : m_shown(folder.path)
{
    if (QDir().mkpath(folder.path))
        m_path = folder.path;
}

OutputFolder::~OutputFolder() = default;

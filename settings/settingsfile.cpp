#include "settings/settingsfile.h"

#include "platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// A settings file holds a few hundred bytes; anything this large is not one.
constexpr qint64 LargestSettingsFile = 16 * 1024 * 1024;

} // namespace

QString SettingsFilePath(const QString& appName)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + appName + QStringLiteral(".ini");
}

std::optional<IniDocument> ReadSettingsFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return IniDocument();
    if (!info.isFile() || info.size() > LargestSettingsFile)
        return std::nullopt;
    // Checked again on what was opened: the path may have become a FIFO in between.
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!file)
        return std::nullopt;
    const QByteArray bytes = file->read(LargestSettingsFile + 1);
    if (file->error() != QFileDevice::NoError || bytes.size() > LargestSettingsFile)
        return std::nullopt;
    return IniDocument::Parse(bytes);
}

bool WriteSettingsFile(const QString& path, const IniDocument& document)
{
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || !info.isWritable()))
        return false;
    QDir().mkpath(info.absolutePath());
    QSaveFile file(path);
    // A folder the user may not create files in can still hold a settings file they may write.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(document.Bytes());
    return file.commit();
}

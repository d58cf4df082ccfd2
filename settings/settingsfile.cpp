#include "settings/settingsfile.h"

#include "platform/fileversion.h"
#include "platform/userfolders.h"
#include "platform/wholefilewrite.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

namespace {

// A settings file holds a few hundred bytes; anything this large is not one.
constexpr qint64 LargestSettingsFile = 16 * 1024 * 1024;

// An editor that saves in place empties the file and writes it a moment later. A file
// modified this recently may be in the middle of such a save: replacing it now would lose
// what the editor writes next into the file it had open.
constexpr qint64 SettleMs = 200;
// A file still changing after this long is reported rather than waited for.
constexpr qint64 LongestSettleMs = 2000;
constexpr int ChangedFileAttempts = 3;

// How long to wait before the file may be replaced; 0 once it has settled.
qint64 unsettledMs(const FileVersion& version)
{
    if (!version.exists)
        return 0;
    const qint64 age = QDateTime::currentMSecsSinceEpoch() - version.modifiedNs / 1'000'000;
    // A time far in the future is a clock set wrong, not a save in progress.
    if (age >= SettleMs || age <= -SettleMs)
        return 0;
    return SettleMs - age;
}

} // namespace

QString SettingsFilePath(const QString& appName)
{
    return UserConfigFolder() + QLatin1Char('/') + appName + QStringLiteral(".ini");
}

std::optional<IniDocument> ReadSettingsFile(const QString& path)
{
    const auto version = ReadFileVersion(path, LargestSettingsFile);
    if (!version)
        return std::nullopt;
    return IniDocument::Parse(version->bytes);
}

bool UpdateSettingsFile(const QString& path, const std::function<bool(IniDocument&)>& change)
{
    QElapsedTimer waited;
    waited.start();
    for (int attempt = 0; attempt < ChangedFileAttempts;) {
        const auto version = ReadFileVersion(path, LargestSettingsFile);
        if (!version || (version->exists && !QFileInfo(path).isWritable()))
            return false;
        IniDocument document = IniDocument::Parse(version->bytes);
        if (!change(document))
            return true;
        if (const qint64 wait = unsettledMs(*version)) {
            if (waited.elapsed() >= LongestSettleMs)
                return false;
            QThread::msleep(static_cast<unsigned long>(wait));
            continue; // and judge what the file holds then
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
        // No direct write when the folder refuses the new file: a direct write empties the
        // old file first, and a full disk would then leave nothing of it.
        const WholeFileWrite written = WriteWholeFileIfUnchanged(path, document.Bytes(), *version);
        if (written)
            return true;
        if (!written.changed)
            return false;
        ++attempt;
    }
    return false;
}

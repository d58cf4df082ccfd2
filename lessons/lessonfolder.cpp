#include "lessons/lessonfolder.h"

#include "lessons/nativelessonfiles.h"
#include "platform/userfolders.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

QString LessonsFolderBesideProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lessons");
}

QString UserLessonsFolder()
{
    const QString data = UserDataFolder();
    if (data.isEmpty())
        return {};
    return data + QStringLiteral("/vokabo/lessons");
}

QStringList LessonFolders(const QString& besideProgram)
{
    QStringList folders;
    for (const QString& folder : {besideProgram, UserLessonsFolder()}) {
        if (folder.isEmpty())
            continue;
        const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
        const bool seen = std::any_of(folders.cbegin(), folders.cend(), [&](const QString& other) {
            return QDir::cleanPath(QDir(other).absolutePath()) == clean;
        });
        if (!seen)
            folders << folder;
    }
    return folders;
}

std::vector<LessonFile> ListLessonFiles(const QStringList& folders)
{
    std::vector<LessonFile> files;
    for (const QString& folder : folders) {
        std::vector<LessonFile> inFolder = ListNativeLessonFiles(folder);
        files.insert(files.end(), std::make_move_iterator(inFolder.begin()),
                     std::make_move_iterator(inFolder.end()));
    }
    return files;
}

namespace {

// Longer than the coarsest time stamps of the file systems a lessons folder may live on.
constexpr qint64 SettledFolderMs = 2000;

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

LessonFileList::Stamp LessonFileList::stampOf(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return {};
    return {true, info.lastModified().toMSecsSinceEpoch(),
            info.metadataChangeTime().toMSecsSinceEpoch()};
}

void LessonFileList::list(Folder& folder)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    folder.stamp = stampOf(folder.path);
    folder.names.clear();
    folder.nameEnds.clear();
    folder.otherNativePaths.clear();
    const QString prefix = folder.path + QLatin1Char('/');
    const QByteArray nativePrefix = QFile::encodeName(prefix);
    const std::vector<LessonFile> files = ListNativeLessonFiles(folder.path);
    folder.nativePaths = !files.empty() && !files.front().nativePath.isEmpty();
    folder.nameEnds.reserve(files.size());
    for (const LessonFile& file : files) {
        const QStringView name = QStringView(file.path).mid(prefix.size());
        if (folder.nativePaths &&
            !isAscii(QByteArrayView(file.nativePath).sliced(nativePrefix.size())) &&
            file.nativePath != nativePrefix + QFile::encodeName(name.toString()))
            folder.otherNativePaths.insert(qsizetype(folder.nameEnds.size()), file.nativePath);
        folder.names += name;
        folder.nameEnds.push_back(folder.names.size());
    }
    folder.names.squeeze();
    const auto settled = [now](qint64 time) { return now - time >= SettledFolderMs; };
    folder.trusted = folder.stamp == stampOf(folder.path) && settled(folder.stamp.modifiedMs) &&
                     settled(folder.stamp.changedMs);
}

void LessonFileList::Update(const QStringList& folders)
{
    std::vector<Folder> updated;
    updated.reserve(folders.size());
    for (const QString& path : folders) {
        const auto known = std::find_if(m_folders.begin(), m_folders.end(),
                                        [&](const Folder& folder) { return folder.path == path; });
        if (known != m_folders.end())
            updated.push_back(std::move(*known));
        else
            updated.emplace_back().path = path;
        Folder& folder = updated.back();
        if (!folder.trusted || folder.stamp != stampOf(path)) {
            list(folder);
            ++m_generation;
        }
    }
    if (updated.size() != m_folders.size())
        ++m_generation;
    m_folders = std::move(updated);
    m_size = 0;
    for (const Folder& folder : m_folders)
        m_size += qsizetype(folder.nameEnds.size());
}

LessonFile LessonFileList::At(qsizetype index) const
{
    for (const Folder& folder : m_folders) {
        const auto count = qsizetype(folder.nameEnds.size());
        if (index >= count) {
            index -= count;
            continue;
        }
        const qsizetype start = index == 0 ? 0 : folder.nameEnds[size_t(index - 1)];
        const QString name = folder.names.mid(start, folder.nameEnds[size_t(index)] - start);
        LessonFile file{folder.path + QLatin1Char('/') + name, {}};
        if (folder.nativePaths) {
            file.nativePath = folder.otherNativePaths.value(
                index, QFile::encodeName(folder.path + QLatin1Char('/')) + QFile::encodeName(name));
        }
        return file;
    }
    return {};
}

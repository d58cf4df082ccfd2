#include "lessons/nativelessonfiles.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::vector<LessonFile> ListNativeLessonFiles(const QString& folder)
{
    std::vector<LessonFile> files;
    // An empty name names no folder; joined with "/" below it would name the root.
    if (folder.isEmpty())
        return files;
    const QByteArray nativeFolder = QFile::encodeName(folder) + '/';
    DIR* dir = opendir(nativeFolder.constData());
    if (!dir)
        return files;
    const QString prefix = folder + QLatin1Char('/');
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        QByteArray nativePath = nativeFolder + entry->d_name;
        // The entry's type spares a stat for the plain files that most lessons are; a link
        // is followed, so that a link to a pipe or a device is left out like the thing itself.
        if (entry->d_type != DT_REG) {
            struct stat info {};
            if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
                continue;
            if (stat(nativePath.constData(), &info) != 0 || !S_ISREG(info.st_mode))
                continue;
        }
        files.push_back({prefix + QFile::decodeName(entry->d_name), std::move(nativePath)});
    }
    closedir(dir);
    SortLessonFilesByName(files, prefix.size());
    return files;
}

OpenLessonFile::OpenLessonFile(const LessonFile& file)
{
    if (file.nativePath.isEmpty() || QFile::encodeName(file.path) == file.nativePath) {
        m_path = file.path;
        return;
    }
#ifdef Q_OS_LINUX
    // Non-blocking, so that a pipe put in the file's place after listing cannot hold the open.
    m_descriptor = open(file.nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_descriptor < 0)
        return;
    struct stat info {};
    if (fstat(m_descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        return;
    m_path = QStringLiteral("/proc/self/fd/%1").arg(m_descriptor);
#endif
}

OpenLessonFile::~OpenLessonFile()
{
    if (m_descriptor >= 0)
        close(m_descriptor);
}

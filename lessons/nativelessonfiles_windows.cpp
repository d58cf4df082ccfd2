#include "lessons/nativelessonfiles.h"

#include <QDir>

std::vector<LessonFile> ListNativeLessonFiles(const QString& folder)
{
    std::vector<LessonFile> files;
    if (folder.isEmpty())
        return files;
    const QString prefix = folder + QLatin1Char('/');
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        // Names with a leading dot are hidden on Unix, and the lesson tool stages its writes
        // under such names; a copy of a Unix folder brings them too.
        if (!name.startsWith(QLatin1Char('.')))
            files.push_back({prefix + name, {}});
    }
    SortLessonFilesByName(files, prefix.size());
    return files;
}

OpenLessonFile::OpenLessonFile(const LessonFile& file) : m_path(file.path) {}

OpenLessonFile::~OpenLessonFile() = default;

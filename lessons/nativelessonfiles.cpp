#include "lessons/nativelessonfiles.h"

#include <algorithm>

void SortLessonFilesByName(std::vector<LessonFile>& files, qsizetype folderLength)
{
    std::sort(files.begin(), files.end(), [folderLength](const LessonFile& a, const LessonFile& b) {
        const int byName =
            QStringView(a.path).mid(folderLength).compare(QStringView(b.path).mid(folderLength));
        return byName != 0 ? byName < 0 : a.nativePath < b.nativePath;
    });
}

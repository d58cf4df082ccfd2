#include "lessons/lessonloader.h"

#include "lessons/lessonfolder.h"
#include "lessons/lessonlinereader.h"
#include "lessons/lessonparser.h"
#include "lessons/nativelessonfiles.h"
#include "lessons/randomgenerator.h"

#include <QFile>

LessonLoadResult ParseLessonFile(LessonEntries& lesson, const QString& path, QString& title,
                                 const std::function<bool()>& betweenLines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LessonLoadResult::Unreadable;
    LessonLineReader reader(file);
    LessonParser parser(lesson);
    while (!reader.AtEnd()) {
        const bool wantsMore = parser.FeedLine(reader.ReadLine());
        title = parser.Title();
        if (!wantsMore)
            break;
        if (betweenLines && !betweenLines())
            return LessonLoadResult::Interrupted;
    }
    title = parser.Title();
    return LessonLoadResult::Loaded;
}

LessonLoad LoadLessonFile(LessonEntries& lesson, const QStringList& folders,
                          RandomGenerator& random, const std::function<bool()>& betweenLines)
{
    LessonLoad load;
    random.Reseed();
    const std::vector<LessonFile> files = ListLessonFiles(folders);
    if (files.empty())
        return load;
    const LessonFile& chosen = files.at(RandomIndexBelow(random.Next(), int(files.size())));
    load.file = chosen.path;
    const OpenLessonFile opened(chosen);
    load.result = opened.Path().isEmpty()
                      ? LessonLoadResult::Unreadable
                      : ParseLessonFile(lesson, opened.Path(), load.title, betweenLines);
    return load;
}

LessonLoad LoadLessonFile(LessonEntries& lesson, const QString& folder, RandomGenerator& random,
                          const std::function<bool()>& betweenLines)
{
    return LoadLessonFile(lesson, QStringList{folder}, random, betweenLines);
}

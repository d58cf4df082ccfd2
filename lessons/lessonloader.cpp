#include "lessons/lessonloader.h"

#include "lessons/lessonfolder.h"
#include "lessons/lessonlinereader.h"
#include "lessons/lessonparser.h"
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

LessonLoad LoadLessonFile(LessonEntries& lesson, const QString& folder, RandomGenerator& random,
                          const std::function<bool()>& betweenLines)
{
    LessonLoad load;
    random.Reseed();
    const QStringList files = ListLessonFiles(folder);
    if (files.isEmpty())
        return load;
    load.file = folder + QLatin1Char('/') + files.at(RandomIndexBelow(random.Next(), files.size()));
    load.result = ParseLessonFile(lesson, load.file, load.title, betweenLines);
    return load;
}

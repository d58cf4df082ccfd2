#include "lessons/lessonloader.h"

#include "lessons/lessonfolder.h"
#include "lessons/lessonlinereader.h"
#include "lessons/lessonparser.h"
#include "lessons/nativelessonfiles.h"
#include "lessons/randomgenerator.h"
#include "platform/regularfile.h"

#include <optional>

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

// The text up to MaxLessonBytes, read whole because the encoding is judged on all of it.
std::optional<QByteArray> readLessonText(QIODevice& device,
                                         const std::function<bool()>& betweenChunks)
{
    QByteArray text;
    while (text.size() < MaxLessonBytes) {
        const QByteArray chunk = device.read(qMin(ChunkBytes, MaxLessonBytes - text.size()));
        if (chunk.isEmpty())
            break;
        text += chunk;
        if (device.atEnd())
            break;
        if (betweenChunks && !betweenChunks())
            return std::nullopt;
    }
    return text;
}

} // namespace

LessonLoadResult ParseLessonFile(LessonEntries& lesson, const QString& path, QString& title,
                                 const std::function<bool()>& betweenLines)
{
    std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!file)
        return LessonLoadResult::Unreadable;
    std::optional<QByteArray> text = readLessonText(*file, betweenLines);
    if (!text)
        return LessonLoadResult::Interrupted;
    file.reset();
    LessonLineReader reader(std::move(*text));
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
                          RandomGenerator& random, const std::function<bool()>& betweenLines,
                          const LessonFilter& filter)
{
    LessonLoad load;
    random.Reseed();
    // Kept for the life of the process, so that the space bar does not list the folders anew.
    static LessonFileList files;
    files.Update(folders);
    const std::vector<qsizetype> chosenPositions =
        filter ? filter(files) : std::vector<qsizetype>();
    const qsizetype count =
        chosenPositions.empty() ? files.Size() : qsizetype(chosenPositions.size());
    if (count == 0)
        return load;
    const qsizetype position = RandomIndexBelow(random.Next(), int(count));
    const LessonFile chosen =
        files.At(chosenPositions.empty() ? position : chosenPositions[size_t(position)]);
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

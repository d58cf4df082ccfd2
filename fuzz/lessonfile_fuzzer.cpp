// Any bytes at all as a lesson file: reading and parsing must stay within the 201 slots.
#include "lessons/lessonlinereader.h"
#include "lessons/lessonparser.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static auto lesson = std::make_unique<LessonEntries>();
    LessonLineReader reader(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    LessonParser parser(*lesson);
    qsizetype lines = 0;
    while (!reader.AtEnd()) {
        const QString line = reader.ReadLine();
        if (line.size() > LessonLineReader::MaxLineBytes)
            std::abort();
        ++lines;
        if (!parser.FeedLine(line))
            break;
    }
    if (lesson->WordCount < 0 || lesson->WordCount > LessonSlots || lines > qsizetype(size) + 1)
        std::abort();
    return 0;
}

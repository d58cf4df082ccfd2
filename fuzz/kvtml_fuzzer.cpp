// Any bytes as a KVTML document: reading never recurses past the stack, and every lesson made
// of the words reads in the saver as it is written.
#include "lessons/lessoncheck.h"
#include "lessontool/kvtmlreader.h"
#include "lessontool/lessonwriter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const WordList list =
        ReadKvtml(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!list.error.isEmpty() && !list.entries.isEmpty())
        std::abort();
    for (const LessonText& lesson :
         WriteLessons(list.entries, QStringLiteral("Fuzz/Fuzz"), QStringLiteral("fuzz")))
        for (const LessonProblem& problem : CheckLesson(lesson.bytes))
            if (problem.kind == LessonProblem::Kind::Reading)
                std::abort();
    return 0;
}

// Any text in the fields of a word, as either reader of word lists may hand it over (lone
// surrogates, line breaks, marks, controls): a word that passes the cleaning is written into a
// lesson that the saver reads as it is written.
#include "lessons/lessoncheck.h"
#include "lessontool/lessonwriter.h"
#include "lessontool/wordlist.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    QStringList fields = text.split(QChar(0x1F)); // the unit separator
    fields.resize(7);
    WordEntry word{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
    if (!CleanWord(word).isEmpty())
        return 0;
    for (const LessonText& lesson :
         WriteLessons({word}, QStringLiteral("Fuzz/Fuzz"), QStringLiteral("fuzz")))
        for (const LessonProblem& problem : CheckLesson(lesson.bytes))
            if (problem.kind == LessonProblem::Kind::Reading)
                std::abort();
    return 0;
}

#include "lessons/lessonsummary.h"

#include "lessons/lessonloader.h"
#include "lessons/nativelessonfiles.h"

#include <memory>

LessonSummary ReadLessonSummary(const LessonFile& file)
{
    LessonSummary summary;
    const OpenLessonFile opened(file);
    if (opened.Path().isEmpty())
        return summary;
    const auto lesson = std::make_unique<LessonEntries>();
    summary.readable =
        ParseLessonFile(*lesson, opened.Path(), summary.title, {}) == LessonLoadResult::Loaded;
    summary.entries = summary.readable ? lesson->WordCount : 0;
    return summary;
}

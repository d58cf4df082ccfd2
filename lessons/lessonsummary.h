#pragma once

#include "lessons/lessonfolder.h"

#include <QString>

// What the lesson choice shows of a file: its title and the number of entries the saver
// would load from it, read as the saver reads it (the first MaxLessonBytes at most).
struct LessonSummary {
    bool readable = false;
    QString title;
    int entries = 0;
};

LessonSummary ReadLessonSummary(const LessonFile& file);

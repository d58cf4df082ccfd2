#pragma once

#include "lessons/lessonfolder.h"
#include "lessons/savervariables.h"

#include <functional>
#include <QString>
#include <QStringList>

class RandomGenerator;

enum class LessonLoadResult {
    Loaded,
    NoLessons, // no folder holds a file: each is missing, unreadable or empty
    Unreadable, // the chosen file could not be opened, or is no regular file
    Interrupted, // the caller asked to stop between two lines
};

// The positions in the listing of the lessons the user chose to learn from; none leaves the
// choice to all of them.
using LessonFilter = std::function<std::vector<qsizetype>(const LessonFileList&)>;

struct LessonLoad {
    LessonLoadResult result = LessonLoadResult::NoLessons;
    QString title;
    QString file;
};

// Picks a random file of all the folders' files together and parses it into the lesson,
// from slot 0 on. After every line, and between chunks of a large file, it calls
// betweenLines, which lets pending events run; when it returns false the load stops where it
// is. When no file can be opened, or the load stops before the file is read, the lesson in
// memory stays whole.
// A filter narrows the choice down to the files the user chose to learn from.
LessonLoad LoadLessonFile(LessonEntries& lesson, const QStringList& folders,
                          RandomGenerator& random, const std::function<bool()>& betweenLines,
                          const LessonFilter& filter = {});
// The same with one folder.
LessonLoad LoadLessonFile(LessonEntries& lesson, const QString& folder, RandomGenerator& random,
                          const std::function<bool()>& betweenLines);

// Far above any real lesson (a full one is a few dozen kB), and small enough to read in a
// blink: the rest of a larger file is not read.
constexpr qint64 MaxLessonBytes = 4 * 1024 * 1024;

// Parses one file, without the random choice; the load above and the benchmarks use it.
LessonLoadResult ParseLessonFile(LessonEntries& lesson, const QString& path, QString& title,
                                 const std::function<bool()>& betweenLines);

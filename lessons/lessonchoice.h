#pragma once

#include "lessons/lessonfolder.h"

#include <functional>
#include <optional>
#include <QByteArray>
#include <QString>
#include <vector>

// Which lessons the saver picks from. What is stored is the lessons left out, so that a
// lesson added later is chosen without anyone asking, and one removed changes nothing else.

enum class LessonFolderKind { Bundled, Own };

// A lesson as the choice names it: the kind of folder it lies in and its file name's bytes,
// which need not be UTF-8.
struct LessonName {
    LessonFolderKind kind = LessonFolderKind::Bundled;
    QByteArray fileName;
    bool operator==(const LessonName&) const = default;
};

// "-pribalena/jidlo.txt|-vlastni/moje%20lekce.txt": the bytes of each name percent-encoded,
// so that every byte comes back from the settings file and the registry alike. Parsing skips
// what names no lesson; empty text leaves nothing out.
QString FormatLessonChoice(const std::vector<LessonName>& leftOut);
std::vector<LessonName> ParseLessonChoice(const QString& stored);

// The name of a listed file. bundledFolder is the folder beside the program, as listed.
LessonName NameOfLesson(const LessonFile& file, const QString& bundledFolder);

// For each name, whether the saver picks from it: every lesson not left out, or all of them
// when that would leave none, so that a choice whose lessons are gone never leaves the screen
// without words.
std::vector<bool> ChosenFlags(const std::vector<LessonName>& names,
                              const std::vector<LessonName>& leftOut);

// The positions of the listed files the saver picks from, in their listed order: every file
// not left out. None when nothing is left out or everything listed would be, which leaves the
// choice to all of them.
std::vector<qsizetype> ChosenPositions(qsizetype count,
                                       const std::function<LessonFile(qsizetype)>& fileAt,
                                       const std::vector<LessonName>& leftOut,
                                       const QString& bundledFolder);

// ChosenPositions of the lessons folders' listing, worked out again only when a folder was
// listed again: among many thousand lessons the space bar then names no file.
class ChosenLessonPositions {
public:
    ChosenLessonPositions(std::vector<LessonName> leftOut, QString bundledFolder);
    std::vector<qsizetype> In(const LessonFileList& files);

private:
    std::vector<LessonName> m_leftOut;
    QString m_bundledFolder;
    std::optional<quint64> m_generation;
    std::vector<qsizetype> m_positions;
};

// What to store after the user checked the listed lessons: the unchecked ones, and the
// stored ones that are not listed now, kept for when their folder is back.
std::vector<LessonName> LeftOutAfter(const std::vector<LessonName>& listed,
                                     const std::vector<bool>& checked,
                                     const std::vector<LessonName>& storedLeftOut);

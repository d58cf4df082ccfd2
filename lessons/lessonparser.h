#pragma once

#include "lessons/savervariables.h"

#include <QString>

// The line grammar of a lesson file. Line 1 holds the title before its first "/", line 2 is
// ignored, then each entry keeps its lines 1 to 4 and 6 (split at its first "|") and is
// stored by the first line from its line 7 on that starts with "--".
//
// Entries are stored into the lesson as soon as their terminator is read, so that a word
// shown while a file is still being read draws from what is already there.
class LessonParser {
public:
    explicit LessonParser(LessonEntries& lesson);

    // Takes the next line. Returns false once the lesson is full: every slot is taken and
    // a further entry has ended; the rest of the file is not needed.
    bool FeedLine(const QString& line);

    QString Title() const { return m_title; }

private:
    void storeEntry();

    LessonEntries& m_lesson;
    int m_lineCounter = 0;
    int m_entryCounter = 0;
    QString m_title;
    QString m_pendingEnglish;
    QString m_pendingCzech;
    QString m_pendingLine3;
    QString m_pendingLine6Tail;
    QString m_pendingLine2;
    QString m_pendingLine6Head;
};

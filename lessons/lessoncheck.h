#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Something in a lesson file that makes the saver show it other than its author meant.
struct LessonProblem {
    enum class Kind {
        Reading, // the saver reads the file other than it is written
        Wording, // the saver shows the words as written, but not as meant: a comma inside
                 // brackets cuts what it shows, or two entries show the same Czech
    };
    int line = 0;    // 1-based
    QString message; // Czech, for the author
    Kind kind = Kind::Reading;
};

// Reads the bytes of a lesson file line by line as the saver does, and lists in line order
// every place where an entry would be lost, shifted, cut or shown with the wrong letters,
// and where the Czech that is shown cannot be what was meant. Empty when the saver shows
// every entry as its author meant it.
QList<LessonProblem> CheckLesson(const QByteArray& bytes);

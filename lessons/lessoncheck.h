#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Something in a lesson file that makes the saver show it other than its author wrote it.
struct LessonProblem {
    int line = 0;    // 1-based
    QString message; // Czech, for the author
};

// Reads the bytes of a lesson file line by line as the saver does, and lists in line order
// every place where an entry would be lost, shifted, cut or shown with the wrong letters.
// Empty when the saver shows every entry as written.
QList<LessonProblem> CheckLesson(const QByteArray& bytes);

#pragma once

#include <QString>
#include <QStringList>

// The lessons folder beside the program.
QString LessonsFolderBesideProgram();

// Every file of the folder that a user would call a file: not hidden, not a system entry
// (device, socket, pipe), not a folder. Sorted by name. Empty when the folder is missing or
// cannot be read.
QStringList ListLessonFiles(const QString& folder);

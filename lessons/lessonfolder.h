#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The lessons folder beside the program.
QString LessonsFolderBesideProgram();

// The user's own lessons: $XDG_DATA_HOME/vokabo/lessons (~/.local/share/vokabo/lessons), on
// Windows the same below the per-user application data folder. Empty when the platform
// names no such place.
QString UserLessonsFolder();

// The folders a lesson is picked from: the one beside the program, then the user's. A
// folder named twice is listed once, so that its lessons are not twice as likely.
QStringList LessonFolders(const QString& besideProgram);

// A lesson file as the file system names it. On Unix a name is bytes, and one that is not
// UTF-8 (copied from an old Windows disk) has no QString that opens it again; nativePath
// keeps the bytes. Empty where the platform names files in UTF-16.
struct LessonFile {
    QString path;
    QByteArray nativePath;
};

// Every file of the folders that a user would call a file: not hidden, not a system entry
// (device, socket, pipe), not a folder, also after following a link. Each folder's files
// sorted by name, the folders in the order given. Missing or unreadable folders add nothing.
std::vector<LessonFile> ListLessonFiles(const QStringList& folders);

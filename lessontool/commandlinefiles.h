#pragma once

#include "lessons/lessonfolder.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The files and folders that the command line names. On Unix such a name is bytes, and one
// that is not UTF-8 (copied from an old Windows disk) is reached by those bytes, as the saver
// reaches its lessons; LessonFile::nativePath holds them.

// Reads at most `limit` bytes of a regular file; a pipe or a device could hold the tool
// forever. False with a Czech reason when it cannot.
bool ReadNamedFile(const LessonFile& file, qint64 limit, QByteArray& bytes, QString& error);

// The file's name without its folder and its last ending, as text. A name that is not UTF-8
// was written on Windows and reads as Windows-1250.
QString NamedFileBaseName(const LessonFile& file);

// A folder to write into, made when it is missing, with a path that QFile and QDir use for as
// long as this object lives.
class OutputFolder {
public:
    explicit OutputFolder(const LessonFile& folder);
    ~OutputFolder();
    Q_DISABLE_COPY(OutputFolder)

    // Empty when the folder cannot be made or opened.
    QString Path() const { return m_path; }
    // The path for messages.
    QString Shown() const { return m_shown; }

private:
    QString m_path;
    QString m_shown;
    int m_descriptor = -1;
};

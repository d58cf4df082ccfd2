#pragma once

#include "lessons/lessonfolder.h"

#include <QString>
#include <QtGlobal>
#include <vector>

// The one place that lists and opens lesson files by their native names.

// The ordinary, visible files of one folder, sorted by name (see ListLessonFiles).
std::vector<LessonFile> ListNativeLessonFiles(const QString& folder);

// The order of ListNativeLessonFiles, shared by each system's listing: by the name after the
// folder's prefix of folderLength characters.
void SortLessonFilesByName(std::vector<LessonFile>& files, qsizetype folderLength);

// Gives a lesson file a path that QFile opens, for as long as this object lives. A name
// that Qt's UTF-8 file names cannot carry is opened here by its bytes and lent out through
// the process's own descriptor table.
class OpenLessonFile {
public:
    explicit OpenLessonFile(const LessonFile& file);
    ~OpenLessonFile();
    Q_DISABLE_COPY(OpenLessonFile)

    // Empty when the file is not an ordinary file or cannot be opened.
    QString Path() const { return m_path; }

private:
    QString m_path;
    int m_descriptor = -1;
};

#pragma once

#include <QByteArray>
#include <QHash>
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

// The lesson files of the folders as ListLessonFiles gives them, kept from one load to the
// next: a folder is listed again only when it may have changed, that is when its
// modification or status-change time is not what it was, or when it was listed so soon after
// a change that a further one could have kept the same time. With many thousands of lessons
// the space bar then costs a look at each folder instead of a listing.
class LessonFileList {
public:
    void Update(const QStringList& folders);
    qsizetype Size() const { return m_size; }
    LessonFile At(qsizetype index) const;
    // Changes whenever a folder was listed again, so that what is worked out from the listing
    // can be kept until then.
    quint64 Generation() const { return m_generation; }

private:
    struct Stamp {
        bool folder = false;
        qint64 modifiedMs = 0;
        qint64 changedMs = 0;
        bool operator==(const Stamp&) const = default;
    };
    // One folder's files by name, packed: lessons folders may hold 100,000 of them.
    struct Folder {
        QString path;
        Stamp stamp;
        bool trusted = false;
        QString names;
        std::vector<qsizetype> nameEnds;
        bool nativePaths = false;
        QHash<qsizetype, QByteArray> otherNativePaths; // names not in the locale's encoding
    };

    static Stamp stampOf(const QString& folder);
    static void list(Folder& folder);

    std::vector<Folder> m_folders;
    qsizetype m_size = 0;
    quint64 m_generation = 0;
};

#include "lessons/lessonfolder.h"

#include "lessons/nativelessonfiles.h"
#include "platform/userfolders.h"

#include <QCoreApplication>
#include <QDir>

QString LessonsFolderBesideProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lessons");
}

QString UserLessonsFolder()
{
    const QString data = UserDataFolder();
    if (data.isEmpty())
        return {};
    return data + QStringLiteral("/vokabo/lessons");
}

QStringList LessonFolders(const QString& besideProgram)
{
    QStringList folders;
    for (const QString& folder : {besideProgram, UserLessonsFolder()}) {
        if (folder.isEmpty())
            continue;
        const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
        const bool seen = std::any_of(folders.cbegin(), folders.cend(), [&](const QString& other) {
            return QDir::cleanPath(QDir(other).absolutePath()) == clean;
        });
        if (!seen)
            folders << folder;
    }
    return folders;
}

std::vector<LessonFile> ListLessonFiles(const QStringList& folders)
{
    std::vector<LessonFile> files;
    for (const QString& folder : folders) {
        std::vector<LessonFile> inFolder = ListNativeLessonFiles(folder);
        files.insert(files.end(), std::make_move_iterator(inFolder.begin()),
                     std::make_move_iterator(inFolder.end()));
    }
    return files;
}

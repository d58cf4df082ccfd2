#include "lessons/lessonfolder.h"

#include <QCoreApplication>
#include <QDir>

QString LessonsFolderBesideProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lessons");
}

QStringList ListLessonFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

#pragma once

#include "lessontool/wordlist.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct LessonText {
    QString fileName;
    QByteArray bytes;
};

// The six lines of the word's entry, before its terminator.
QStringList LessonEntryLines(const WordEntry& entry);

// The lessons that hold the words, at most 201 entries and 4 MiB each (all the saver reads),
// numbered from 1 when there is more than one: "<base>.txt" or "<base>-1.txt", "<base>-2.txt", ...
// The title line is "Název/Title"; a title without "/" gets one. Each file is Windows-1250
// with CR LF where every character fits, else UTF-8 with a byte-order mark, so that the
// saver reads it as written.
QList<LessonText> WriteLessons(const QList<WordEntry>& entries, const QString& title,
                               const QString& baseName);

// A file name part made of what every file system takes.
QString LessonBaseName(const QString& inputBaseName);

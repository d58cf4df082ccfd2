#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One word of a list to import, in the order of a lesson entry's lines.
struct WordEntry {
    QString english;
    QString czech;
    QString pronunciation;
    QString partOfSpeech;
    QString note;
    QString example;
    QString exampleTranslation;
};

// What the tool says of one row of the input.
struct RowMessage {
    int line = 0;
    QString message;
};

struct WordList {
    QList<WordEntry> entries;
    QList<RowMessage> skipped;  // rows left out
    QList<RowMessage> warnings; // rows imported other than the input has them
    QString title;              // from the input itself, where it names one
    QString error;              // set when the input cannot be used at all
};

// A row of a table (TSV or CSV) with the line it starts on.
struct TableRow {
    int line = 0;
    QStringList fields;
    QString error; // set when the row is malformed
};

// Columns: English, Czech, pronunciation, part of speech, note, example, its translation.
// A first row that names the columns is left out.
WordList WordListFromRows(QList<TableRow> rows);

// Checks and cleans one word: a lesson line holds no line break and no NUL, and is no longer
// than the saver reads; English or Czech text starting with "--" would read as the end of an
// entry. Empty when it is fine to import, else why the row is skipped.
QString CleanWord(WordEntry& entry);

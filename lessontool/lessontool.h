#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

// One word of the command line: its text, and the bytes the command line gave it in, which
// name a file exactly where the text cannot (a file name that is not UTF-8). Empty bytes:
// the text is exact.
struct ToolArgument {
    QString text;
    QByteArray native;
};

// vokabo-lekce with its arguments, the program's name left out. Findings and the files
// written go to out, usage errors, skipped rows and warnings to err. Returns the exit status.
int RunLessonTool(const QList<ToolArgument>& arguments, QTextStream& out, QTextStream& err);
int RunLessonTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

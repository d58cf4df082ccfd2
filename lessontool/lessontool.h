#pragma once

#include <QStringList>
#include <QTextStream>

// vokabo-lekce with its arguments, the program's name left out. Findings and the files
// written go to out, usage errors and skipped rows to err. Returns the exit status.
int RunLessonTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

// Any bytes as a word list, read both as CSV and as TSV: every lesson made of it reads in the
// saver as it is written, whatever the quoting, the separators or the encoding.
#include "lessons/lessoncheck.h"
#include "lessontool/lessonwriter.h"
#include "lessontool/tablereader.h"

#include <cstdlib>

namespace {

void import(QList<TableRow> rows)
{
    int line = 0;
    for (const TableRow& row : rows) {
        if (row.line <= line)
            std::abort();
        line = row.line;
    }
    const WordList list = WordListFromRows(std::move(rows));
    for (const LessonText& lesson :
         WriteLessons(list.entries, QStringLiteral("Fuzz/Fuzz"), QStringLiteral("fuzz")))
        for (const LessonProblem& problem : CheckLesson(lesson.bytes))
            if (problem.kind == LessonProblem::Kind::Reading)
                std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = DecodeWordListText(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    import(ReadCsv(text, DetectCsvSeparator(text)));
    import(ReadTsv(text));
    return 0;
}

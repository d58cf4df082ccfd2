#include "lessontool/wordlist.h"

#include "lessons/lessonlinereader.h"
#include "lessontool/lessonwriter.h"

namespace {

QString folded(const QString& field)
{
    return field.trimmed().toCaseFolded();
}

bool isHeader(const QStringList& fields)
{
    static const QStringList english{QStringLiteral("english"),  QStringLiteral("en"),
                                     QStringLiteral("anglicky"), QStringLiteral("angličtina"),
                                     QStringLiteral("word"),     QStringLiteral("slovo")};
    static const QStringList czech{QStringLiteral("czech"),       QStringLiteral("cs"),
                                   QStringLiteral("česky"),       QStringLiteral("čeština"),
                                   QStringLiteral("translation"), QStringLiteral("překlad")};
    return fields.size() >= 2 && english.contains(folded(fields.at(0))) &&
           czech.contains(folded(fields.at(1)));
}

// A byte-order mark inside a field (lists pasted together) is invisible, and at the start of
// a UTF-8 lesson line the saver drops it, which could leave the line empty. Line breaks, with
// the spaces around them, become one space: by hand, because a regular expression gives up on
// text with a lone surrogate and would leave the break to cut the entry.
QString oneLine(const QString& text)
{
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            if (c != QChar(0xFEFF))
                line += c;
            ++i;
            continue;
        }
        while (!line.isEmpty() && line.back().isSpace())
            line.chop(1);
        while (i < text.size() && (text.at(i).isSpace() || text.at(i) == QChar(0xFEFF)))
            ++i;
        line += QLatin1Char(' ');
    }
    return line.trimmed();
}

} // namespace

QString CleanWord(WordEntry& entry)
{
    for (QString* field : {&entry.english, &entry.czech, &entry.pronunciation, &entry.partOfSpeech,
                           &entry.note, &entry.example, &entry.exampleTranslation}) {
        if (field->contains(QChar(0)))
            return QStringLiteral("obsahuje nulový znak (NUL), ten do lekce nepatří");
        *field = oneLine(*field);
    }
    if (entry.english.isEmpty())
        return QStringLiteral("chybí anglické slovo");
    if (QStringView(entry.czech).left(entry.czech.indexOf(QLatin1Char(','))).trimmed().isEmpty())
        return QStringLiteral("chybí český překlad");
    if (entry.english.startsWith(QLatin1String("--")) ||
        entry.czech.startsWith(QLatin1String("--")))
        return QStringLiteral("slovo začíná „--“, což lekce čte jako konec záznamu");
    // The saver ignores these lines, but a line that starts with "--" looks like a broken
    // entry to whoever checks the lesson.
    for (QString* field : {&entry.pronunciation, &entry.partOfSpeech, &entry.note, &entry.example})
        if (field->startsWith(QLatin1String("--")))
            field->prepend(QLatin1Char(' '));
    // Only the example's first "|" may separate it from its translation.
    entry.example.replace(QLatin1Char('|'), QLatin1Char('/'));
    static const char* const lineNames[] = {"anglické slovo", "výslovnost", "slovní druh",
                                            "český překlad",  "poznámka",   "příklad"};
    const QStringList lines = LessonEntryLines(entry);
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines.at(i).toUtf8().size() > LessonLineReader::MaxLineBytes)
            return QStringLiteral("řádek „%1“ by měl víc než %2 bajtů, spořič by ho uřízl")
                .arg(QString::fromUtf8(lineNames[i]))
                .arg(LessonLineReader::MaxLineBytes);
    return {};
}

WordList WordListFromRows(QList<TableRow> rows)
{
    WordList list;
    list.entries.reserve(rows.size());
    bool first = true;
    for (TableRow& row : rows) {
        if (first && row.error.isEmpty() && isHeader(row.fields)) {
            first = false;
            continue;
        }
        first = false;
        if (!row.error.isEmpty()) {
            list.skipped.append({row.line, row.error});
            continue;
        }
        WordEntry entry;
        QString* const columns[] = {&entry.english,           &entry.czech, &entry.pronunciation,
                                    &entry.partOfSpeech,      &entry.note,  &entry.example,
                                    &entry.exampleTranslation};
        for (qsizetype i = 0; i < qMin(row.fields.size(), qsizetype(std::size(columns))); ++i)
            *columns[i] = std::move(row.fields[i]);
        const QString problem = CleanWord(entry);
        if (problem.isEmpty())
            list.entries.append(std::move(entry));
        else
            list.skipped.append({row.line, problem});
    }
    return list;
}

#include "lessons/lessonparser.h"

#include <QtTest>
#include <memory>

class TestLessonParser : public QObject {
    Q_OBJECT
private slots:
    void workedExample();
    void grammar_data();
    void grammar();
    void title_data();
    void title();
    void fullLessonKeepsEveryEntryAndStopsAtTheNext();
    void newLoadOverwritesFromSlotZeroAndKeepsTheRest();
};

namespace {

struct Parsed {
    std::unique_ptr<LessonEntries> lesson = std::make_unique<LessonEntries>();
    QString title;
    bool stopped = false;
};

Parsed parse(const QStringList& lines, std::unique_ptr<LessonEntries> into = nullptr)
{
    Parsed result;
    if (into)
        result.lesson = std::move(into);
    LessonParser parser(*result.lesson);
    for (const QString& line : lines) {
        if (!parser.FeedLine(line)) {
            result.stopped = true;
            break;
        }
    }
    result.title = parser.Title();
    return result;
}

QStringList entry(const QString& english, const QString& czech, const QString& line3 = QStringLiteral("l3"),
                  const QString& line6 = QStringLiteral("a|b"))
{
    return {english, QStringLiteral("l2"), line3, czech, QStringLiteral("l5"), line6, QStringLiteral("--")};
}

QString s(const char* text) { return QString::fromUtf8(text); }

} // namespace

void TestLessonParser::workedExample()
{
    const QStringList lines{s("Animals/second half"), s("anything"), s("dog"), s("anything"),
                            s("third line A"), s("pes, psík"), s("anything"), s("left A|right A"),
                            s("--"), s("cat"), s("--"), s("third line B"), s("kočka"), s("anything"),
                            s("no bar here"), s("extra line"), s("------")};
    const Parsed full = parse(lines);
    QCOMPARE(full.lesson->WordCount, qint16(2));
    QCOMPARE(full.title, s("Animals"));
    QCOMPARE(full.lesson->EnglishWords[0], s("dog"));
    QCOMPARE(full.lesson->EnglishWords[1], s("cat"));
    QCOMPARE(full.lesson->CzechWords[0], s("pes, psík"));
    QCOMPARE(full.lesson->CzechWords[1], s("kočka"));
    QCOMPARE(full.lesson->EntryLine3[0], s("third line A"));
    QCOMPARE(full.lesson->EntryLine3[1], s("third line B"));
    QCOMPARE(full.lesson->EntryLine6Tail[0], s("right A"));
    QCOMPARE(full.lesson->EntryLine6Tail[1], s("no bar here"));
    // The pronunciation line and the example before the bar, shown on request; an entry's
    // second line is kept even when it looks like a terminator.
    QCOMPARE(full.lesson->EntryLine2[0], s("anything"));
    QCOMPARE(full.lesson->EntryLine2[1], s("--"));
    QCOMPARE(full.lesson->EntryLine6Head[0], s("left A"));
    QCOMPARE(full.lesson->EntryLine6Head[1], QString());

    const Parsed cut = parse(lines.mid(0, 16));
    QCOMPARE(cut.lesson->WordCount, qint16(1));
}

void TestLessonParser::grammar_data()
{
    QTest::addColumn<QStringList>("entryLines"); // from entry line 1 on, after the two header lines
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("czech");
    QTest::addColumn<QString>("line3");
    QTest::addColumn<QString>("tail");

    QTest::newRow("plain entry") << entry(s("dog"), s("pes")) << 1 << s("dog") << s("pes") << s("l3") << s("b");
    QTest::newRow("dashes at entry line 1 are data")
        << QStringList{s("--x"), s("2"), s("3"), s("4"), s("5"), s("6"), s("--")} << 1 << s("--x") << s("4") << s("3") << s("6");
    QTest::newRow("dashes at entry line 2 and 5 are ignored")
        << QStringList{s("1"), s("--"), s("3"), s("4"), s("--"), s("6"), s("--")} << 1 << s("1") << s("4") << s("3") << s("6");
    QTest::newRow("dashes at entry lines 3, 4 and 6 are data")
        << QStringList{s("1"), s("2"), s("--3"), s("--4"), s("5"), s("--6"), s("--")} << 1 << s("1") << s("--4") << s("--3") << s("--6");
    QTest::newRow("extra lines before the terminator are dropped")
        << QStringList{s("1"), s("2"), s("3"), s("4"), s("5"), s("6"), s("7"), s("8"), s("-- end")} << 1 << s("1") << s("4") << s("3") << s("6");
    QTest::newRow("leading blank is no terminator")
        << QStringList{s("1"), s("2"), s("3"), s("4"), s("5"), s("6"), s(" --"), s("--")} << 1 << s("1") << s("4") << s("3") << s("6");
    QTest::newRow("single dash is no terminator")
        << QStringList{s("1"), s("2"), s("3"), s("4"), s("5"), s("6"), s("-")} << 0 << QString() << QString() << QString() << QString();
    QTest::newRow("tail after first bar keeps later bars")
        << entry(s("e"), s("c"), s("3"), s("a|b|c")) << 1 << s("e") << s("c") << s("3") << s("b|c");
    QTest::newRow("bar at end gives empty tail")
        << entry(s("e"), s("c"), s("3"), s("abc|")) << 1 << s("e") << s("c") << s("3") << QString();
    QTest::newRow("no bar gives the whole line")
        << entry(s("e"), s("c"), s("3"), s("abc")) << 1 << s("e") << s("c") << s("3") << s("abc");
    QTest::newRow("unfinished entry is dropped")
        << QStringList{s("1"), s("2"), s("3"), s("4"), s("5"), s("6")} << 0 << QString() << QString() << QString() << QString();
    QTest::newRow("empty lines count as lines")
        << QStringList{QString(), QString(), QString(), QString(), QString(), QString(), s("--")} << 1 << QString() << QString() << QString() << QString();
}

void TestLessonParser::grammar()
{
    QFETCH(QStringList, entryLines);
    QFETCH(int, count);
    const Parsed parsed = parse(QStringList{s("T/x"), s("--")} + entryLines);
    QCOMPARE(int(parsed.lesson->WordCount), count);
    if (count == 0)
        return;
    QTEST(parsed.lesson->EnglishWords[0], "english");
    QTEST(parsed.lesson->CzechWords[0], "czech");
    QTEST(parsed.lesson->EntryLine3[0], "line3");
    QTEST(parsed.lesson->EntryLine6Tail[0], "tail");
}

void TestLessonParser::title_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("title");
    QTest::newRow("text before the first slash") << QStringList{s("Animals/x/y")} << s("Animals");
    QTest::newRow("nothing trimmed") << QStringList{s(" Zvířata /x")} << s(" Zvířata ");
    QTest::newRow("slash first, no entry: empty") << QStringList{s("/x"), s("2")} << QString();
    QTest::newRow("slash first, an entry: dash") << QStringList{s("/x"), s("2")} + entry(s("a"), s("b")) << s("-");
    QTest::newRow("no slash titles with the whole line") << QStringList{s("Zvířata")} << s("Zvířata");
    QTest::newRow("empty file") << QStringList{} << QString();
}

void TestLessonParser::title()
{
    QFETCH(QStringList, lines);
    QTEST(parse(lines).title, "title");
}

void TestLessonParser::fullLessonKeepsEveryEntryAndStopsAtTheNext()
{
    QStringList lines{s("Big/x"), s("2")};
    for (int i = 0; i < LessonSlots + 1; ++i)
        lines += entry(QString::number(i), QStringLiteral("c%1").arg(i));
    lines += s("after");

    Parsed exact = parse(lines.mid(0, 2 + 7 * LessonSlots));
    QCOMPARE(int(exact.lesson->WordCount), LessonSlots);
    QVERIFY(!exact.stopped);

    Parsed over = parse(lines);
    QVERIFY(over.stopped);
    QCOMPARE(int(over.lesson->WordCount), LessonSlots);
    QCOMPARE(over.lesson->EnglishWords[200], s("200"));
    QCOMPARE(over.lesson->CzechWords[200], s("c200"));
}

void TestLessonParser::newLoadOverwritesFromSlotZeroAndKeepsTheRest()
{
    Parsed first = parse(QStringList{s("A/x"), s("2")} + entry(s("one"), s("jedna")) + entry(s("two"), s("dva")));
    Parsed second = parse(QStringList{s("B/x"), s("2")} + entry(s("three"), s("tři")), std::move(first.lesson));
    QCOMPARE(second.lesson->WordCount, qint16(1));
    QCOMPARE(second.lesson->EnglishWords[0], s("three"));
    QCOMPARE(second.lesson->EnglishWords[1], s("two"));
}

QTEST_GUILESS_MAIN(TestLessonParser)
#include "tst_lessonparser.moc"

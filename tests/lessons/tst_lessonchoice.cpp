#include "lessons/lessonchoice.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A name written as the rows read it: "b:" for the folder beside the program, "o:" for the
// user's own, then the file name's bytes.
LessonName lesson(const QByteArray& written)
{
    return {written.startsWith("b:") ? LessonFolderKind::Bundled : LessonFolderKind::Own,
            written.mid(2)};
}

std::vector<LessonName> lessons(const QByteArrayList& written)
{
    std::vector<LessonName> names;
    for (const QByteArray& each : written)
        names.push_back(lesson(each));
    return names;
}

QByteArrayList written(const std::vector<LessonName>& names)
{
    QByteArrayList list;
    for (const LessonName& name : names)
        list << (name.kind == LessonFolderKind::Bundled ? "b:" : "o:") + name.fileName;
    return list;
}

} // namespace

class TestLessonChoice : public QObject {
    Q_OBJECT
private slots:
    void storedFormKeepsEveryByte_data();
    void storedFormKeepsEveryByte();
    void storedFormSkipsWhatNamesNoLesson_data();
    void storedFormSkipsWhatNamesNoLesson();
    void chosenAmongListed_data();
    void chosenAmongListed();
    void leftOutAfterKeepsWhatIsNotListed();
};

void TestLessonChoice::storedFormKeepsEveryByte_data()
{
    QTest::addColumn<QByteArrayList>("leftOut");
    QTest::newRow("nothing left out") << QByteArrayList{};
    QTest::newRow("one of each folder") << QByteArrayList{"b:jidlo.txt", "o:moje.txt"};
    QTest::newRow("blanks, bars, semicolons, percents and equals signs")
        << QByteArrayList{"o: a|b;c,d=e%20f .txt", "o:-vlastni"};
    QTest::newRow("UTF-8 Czech") << QByteArrayList{"o:Zv\xc3\xad\xc5\x99"
                                                   "ata.txt"};
    QTest::newRow("Windows-1250 bytes, which are no UTF-8") << QByteArrayList{"o:Zv\xed\xf8"
                                                                              "ata.txt",
                                                                              "b:\x80\xff"};
}

// Whatever a file is called, the stored text names it again, and it is text the settings
// file stores without quotes, escapes or a comment.
void TestLessonChoice::storedFormKeepsEveryByte()
{
    QFETCH(QByteArrayList, leftOut);
    const QString stored = FormatLessonChoice(lessons(leftOut));
    QCOMPARE(written(ParseLessonChoice(stored)), leftOut);
    for (const QChar c : stored)
        QVERIFY2(c > u' ' && c < QChar(0x7f) && !u";,=\\\""_s.contains(c), qPrintable(stored));
}

void TestLessonChoice::storedFormSkipsWhatNamesNoLesson_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QByteArrayList>("leftOut");
    QTest::newRow("empty") << u""_s << QByteArrayList{};
    QTest::newRow("blanks around entries")
        << u" -vlastni/a.txt | -pribalena/b.txt "_s << QByteArrayList{"o:a.txt", "b:b.txt"};
    QTest::newRow("unknown folder, no mark, no name, a slash or a NUL in the name")
        << u"-cizi/a.txt|vlastni/b.txt|-vlastni/|-vlastni/c%2Fd|-pribalena/e%00|-vlastni"_s
        << QByteArrayList{};
    QTest::newRow("garbage beside a good entry")
        << u"||%%|-pribalena/ok.txt|=;"_s << QByteArrayList{"b:ok.txt"};
}

void TestLessonChoice::storedFormSkipsWhatNamesNoLesson()
{
    QFETCH(QString, stored);
    QTEST(written(ParseLessonChoice(stored)), "leftOut");
}

void TestLessonChoice::chosenAmongListed_data()
{
    QTest::addColumn<QByteArrayList>("leftOut");
    QTest::addColumn<QStringList>("chosen");
    // Listed: the program's a.txt and b.txt, then the user's a.txt and a Windows-1250 name.
    const QStringList all{u"/app/lessons/a.txt"_s, u"/app/lessons/b.txt"_s, u"/home/l/a.txt"_s,
                          u"/home/l/Zv\uFFFD\uFFFData.txt"_s};
    QTest::newRow("nothing left out") << QByteArrayList{} << all;
    QTest::newRow("a lesson is left out of its own folder only")
        << QByteArrayList{"b:a.txt"} << QStringList{all[1], all[2], all[3]};
    QTest::newRow("a Windows-1250 name by its bytes") << QByteArrayList{"o:Zv\xed\xf8"
                                                                        "ata.txt"}
                                                      << QStringList{all[0], all[1], all[2]};
    QTest::newRow("a lesson that is gone leaves out nothing, a new one is chosen")
        << QByteArrayList{"o:gone.txt"} << all;
    QTest::newRow("all that is listed left out: all of them, not none")
        << QByteArrayList{"b:a.txt", "b:b.txt", "o:a.txt",
                          "o:Zv\xed\xf8"
                          "ata.txt"}
        << all;
}

void TestLessonChoice::chosenAmongListed()
{
    QFETCH(QByteArrayList, leftOut);
    const std::vector<LessonFile> files{{u"/app/lessons/a.txt"_s, "/app/lessons/a.txt"},
                                        {u"/app/lessons/b.txt"_s, "/app/lessons/b.txt"},
                                        {u"/home/l/a.txt"_s, "/home/l/a.txt"},
                                        {u"/home/l/Zv\uFFFD\uFFFData.txt"_s, "/home/l/Zv\xed\xf8"
                                                                             "ata.txt"}};
    const std::vector<qsizetype> positions = ChosenPositions(
        qsizetype(files.size()), [&files](qsizetype position) { return files[size_t(position)]; },
        lessons(leftOut), u"/app/lessons"_s);
    QStringList chosen;
    for (const qsizetype position : positions)
        chosen << files[size_t(position)].path;
    // None positions means every listed file.
    if (positions.empty())
        for (const LessonFile& file : files)
            chosen << file.path;
    QTEST(chosen, "chosen");
}

// A lesson left out whose folder is away (an unplugged disk) stays left out, once.
void TestLessonChoice::leftOutAfterKeepsWhatIsNotListed()
{
    const std::vector<LessonName> listed = lessons({"b:a.txt", "b:b.txt", "o:c.txt"});
    const std::vector<LessonName> stored = lessons({"b:a.txt", "o:away.txt", "o:away.txt"});
    QCOMPARE(written(LeftOutAfter(listed, {true, false, true}, stored)),
             (QByteArrayList{"b:b.txt", "o:away.txt"}));
}

QTEST_GUILESS_MAIN(TestLessonChoice)
#include "tst_lessonchoice.moc"

#include "lessons/lessoncheck.h"
#include "lessons/lessonlinereader.h"
#include "lessons/lessonloader.h"
#include "lessontool/lessontool.h"
#include "lessontool/tablereader.h"
#include "support/scriptedrandom.h"
#include "support/testenvironment.h"

#include <memory>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

class TestLessonImport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void csvRecords_data();
    void csvRecords();
    void importedLessonLoads_data();
    void importedLessonLoads();
    void lessonParts_data();
    void lessonParts();
    void existingLesson_data();
    void existingLesson();
    void refusedImport_data();
    void refusedImport();
    void nativeNames_data();
    void nativeNames();
    void fullDisk_data();
    void fullDisk();

private:
    int run(const QStringList& arguments);
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_out;
    QString m_err;
};

using Rows = QList<QStringList>;
using Lines = QList<int>;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of a lesson as the saver decodes them.
QStringList lessonLines(const QByteArray& bytes)
{
    QStringList lines;
    LessonLineReader reader(bytes);
    while (!reader.AtEnd())
        lines << reader.ReadLine();
    return lines;
}

bool readsAsWritten(const QByteArray& lesson)
{
    const QList<LessonProblem> problems = CheckLesson(lesson);
    return std::none_of(problems.begin(), problems.end(), [](const LessonProblem& problem) {
        return problem.kind == LessonProblem::Kind::Reading;
    });
}

QByteArray utf16(QStringConverter::Encoding encoding, const QString& text)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

QByteArray kvtml(const QByteArray& identifiers, const QByteArray& entries,
                 const QByteArray& doctype = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + doctype +
           "<kvtml version=\"2.0\">\n<identifiers>\n" + identifiers +
           "</identifiers>\n<entries>\n" + entries + "</entries>\n</kvtml>\n";
}

QByteArray identifier(int id, const QByteArray& name, const QByteArray& locale)
{
    return "<identifier id=\"" + QByteArray::number(id) + "\"><name>" + name + "</name><locale>" +
           locale + "</locale></identifier>\n";
}

} // namespace

void TestLessonImport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_out.clear();
    m_err.clear();
}

void TestLessonImport::cleanup()
{
    m_dir.reset();
}

int TestLessonImport::run(const QStringList& arguments)
{
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    return RunLessonTool(arguments, out, err);
}

void TestLessonImport::csvRecords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QList<bool>>("malformed");
    QTest::newRow("plain") << QStringLiteral("dog,pes\r\ncat,kočka\r\n")
                           << Rows{{QStringLiteral("dog"), QStringLiteral("pes")},
                                   {QStringLiteral("cat"), QStringLiteral("kočka")}}
                           << Lines{1, 2} << QList<bool>{false, false};
    QTest::newRow("quoted comma, doubled quote, empty last field")
        << QStringLiteral("\"well, well\",\"a \"\"big\"\" one\",\n")
        << Rows{{QStringLiteral("well, well"), QStringLiteral("a \"big\" one"), QString()}}
        << Lines{1} << QList<bool>{false};
    QTest::newRow("line break inside quotes keeps later line numbers")
        << QStringLiteral("dog,\"pes,\r\npsík\"\n\ncat,kočka")
        << Rows{{QStringLiteral("dog"), QStringLiteral("pes,\r\npsík")},
                {QStringLiteral("cat"), QStringLiteral("kočka")}}
        << Lines{1, 4} << QList<bool>{false, false};
    QTest::newRow("text after a closing quote")
        << QStringLiteral("\"dog\"s,pes\ncat,kočka\n")
        << Rows{{QStringLiteral("dogs"), QStringLiteral("pes")},
                {QStringLiteral("cat"), QStringLiteral("kočka")}}
        << Lines{1, 2} << QList<bool>{true, false};
    QTest::newRow("quote never closed")
        << QStringLiteral("dog,pes\ncat,\"kočka\nbird,pták\n")
        << Rows{{QStringLiteral("dog"), QStringLiteral("pes")},
                {QStringLiteral("cat"), QStringLiteral("kočka\nbird,pták\n")}}
        << Lines{1, 2} << QList<bool>{false, true};
    QTest::newRow("semicolons, as a Czech spreadsheet saves")
        << QStringLiteral("dog;pes, psík\r\n\"well; then\";no, tak\r\n")
        << Rows{{QStringLiteral("dog"), QStringLiteral("pes, psík")},
                {QStringLiteral("well; then"), QStringLiteral("no, tak")}}
        << Lines{1, 2} << QList<bool>{false, false};
    QTest::newRow("tabs") << QStringLiteral("dog\tpes, psík\ncat\tkočka\n")
                          << Rows{{QStringLiteral("dog"), QStringLiteral("pes, psík")},
                                  {QStringLiteral("cat"), QStringLiteral("kočka")}}
                          << Lines{1, 2} << QList<bool>{false, false};
}

void TestLessonImport::csvRecords()
{
    QFETCH(QString, text);
    QFETCH(Rows, rows);
    QFETCH(Lines, lines);
    QFETCH(QList<bool>, malformed);
    const QList<TableRow> read = ReadCsv(text, DetectCsvSeparator(text));
    QCOMPARE(read.size(), rows.size());
    for (qsizetype i = 0; i < read.size(); ++i) {
        QCOMPARE(read.at(i).fields, rows.at(i));
        QCOMPARE(read.at(i).line, lines.at(i));
        QCOMPARE(!read.at(i).error.isEmpty(), malformed.at(i));
    }
}

void TestLessonImport::importedLessonLoads_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("english");
    QTest::addColumn<QStringList>("czech");
    QTest::addColumn<QString>("skipped"); // what the tool says of rows; OUT/ is the output folder
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QStringList>("lines"); // lines the lesson holds among others

    QTest::newRow("TSV with a header, in Windows-1250")
        << QStringLiteral("zvirata.tsv")
        << QByteArray("English\tCzech\tPronunciation\nbird\tpt\xe1k\tb\xe9rd\tpodst. jm.\tmn. "
                      "birds\tA bird.\tPt\xe1k.\n"
                      "dog\tpes, ps\xedk\n")
        << QStringList{QStringLiteral("bird"), QStringLiteral("dog")}
        << QStringList{QStringLiteral("pták"), QStringLiteral("pes, psík")} << QString() << false
        << QStringList{QStringLiteral("[bérd]"), QStringLiteral("A bird.|Pták.")};
    QTest::newRow("TSV with a bad row")
        << QStringLiteral("list.txt") << QByteArray("dog\tpes\nonly english\n\tkočka\ncat\tkočka\n")
        << QStringList{QStringLiteral("dog"), QStringLiteral("cat")}
        << QStringList{QStringLiteral("pes"), QStringLiteral("kočka")}
        << QStringLiteral("list.txt:2: chybí český překlad; řádek přeskočen\n"
                          "list.txt:3: chybí anglické slovo; řádek přeskočen\n")
        << false << QStringList();
    QTest::newRow("CSV with quoted commas, quotes and a line break")
        << QStringLiteral("words.csv")
        << QByteArray(
               "english,czech,pron,pos,note,example,translation\r\n"
               "\"well, then\",\"no, tak\",,,,\"He said \"\"hi\"\".\",\"Řekl\r\n\"\"ahoj\"\".\"\r\n"
               "--,pomlčka\r\n,kočka\r\ncat,kočka\r\n")
        << QStringList{QStringLiteral("well, then"), QStringLiteral("cat")}
        << QStringList{QStringLiteral("no, tak"), QStringLiteral("kočka")}
        << QStringLiteral("words.csv:4: slovo začíná „--“, což lekce čte jako konec záznamu; řádek "
                          "přeskočen\n"
                          "words.csv:5: chybí anglické slovo; řádek přeskočen\n")
        << false << QStringList{QStringLiteral("He said \"hi\".|Řekl \"ahoj\".")};
    QTest::newRow("KVTML with Czech first and a sound only UTF-8 holds")
        << QStringLiteral("slova.kvtml")
        << QByteArray(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kvtml version=\"2.0\">\n"
               "<information><title>Zvířata/Animals</title></information>\n"
               "<identifiers>\n"
               "<identifier id=\"0\"><name>Čeština</name><locale>cs</locale></identifier>\n"
               "<identifier id=\"1\"><name>English</name><locale>en_GB</locale></identifier>\n"
               "</identifiers>\n<entries>\n"
               "<entry id=\"0\"><translation id=\"0\"><text>pes</text></translation>"
               "<translation "
               "id=\"1\"><text>dog</text><pronunciation>dɒɡ</pronunciation></translation></entry>\n"
               "<entry id=\"1\"><translation id=\"0\"><text>kočka</text></translation></entry>\n"
               "<entry id=\"2\"><translation id=\"1\"><text>bird</text></translation>"
               "<translation id=\"0\"><text>pták</text></translation></entry>\n"
               "</entries>\n</kvtml>\n")
        << QStringList{QStringLiteral("dog"), QStringLiteral("bird")}
        << QStringList{QStringLiteral("pes"), QStringLiteral("pták")}
        << QStringLiteral("slova.kvtml:10: chybí anglické slovo; řádek přeskočen\n") << true
        << QStringList{QStringLiteral("[dɒɡ]")};
    QTest::newRow("semicolon CSV in Windows-1250, as a Czech spreadsheet saves")
        << QStringLiteral("excel.csv")
        << QByteArray("anglicky;\xe8"
                      "esky\r\ndog;pes, ps\xedk\r\ncat;ko\xe8ka\r\n")
        << QStringList{QStringLiteral("dog"), QStringLiteral("cat")}
        << QStringList{QStringLiteral("pes, psík"), QStringLiteral("kočka")} << QString() << false
        << QStringList();
    QTest::newRow("a spreadsheet's Unicode text: UTF-16 with its mark, tab-separated")
        << QStringLiteral("unicode.txt")
        << utf16(QStringConverter::Utf16LE, QStringLiteral("dog\tpes\r\nbird\tpták\r\n"))
        << QStringList{QStringLiteral("dog"), QStringLiteral("bird")}
        << QStringList{QStringLiteral("pes"), QStringLiteral("pták")} << QString() << false
        << QStringList();
    QTest::newRow("UTF-16 big-endian CSV")
        << QStringLiteral("be.csv")
        << utf16(QStringConverter::Utf16BE, QStringLiteral("dog,pes\ncat,kočka\n"))
        << QStringList{QStringLiteral("dog"), QStringLiteral("cat")}
        << QStringList{QStringLiteral("pes"), QStringLiteral("kočka")} << QString() << false
        << QStringList();
    // In Windows-1250 these letters are valid UTF-8, which the saver would read them as.
    QTest::newRow("Windows-1250 word that is valid UTF-8 gets the mark")
        << QStringLiteral("dest.tsv") << QByteArray("rain\td\xc3\xa9\xc5\xa1\xc5\xa5\n")
        << QStringList{QStringLiteral("rain")} << QStringList{QStringLiteral("déšť")} << QString()
        << true << QStringList();
    // "Ă©" in Windows-1250 is the UTF-8 of "é": a lesson holding it is UTF-8, or the check
    // would take that line for one in the wrong encoding.
    QTest::newRow("a later line whose Windows-1250 passes for UTF-8 gets the mark")
        << QStringLiteral("cafe.tsv")
        << QByteArray("dog\tpes, ps\xc3\xadk\ncafe\tkavarna (caf\xc4\x82\xc2\xa9)\n")
        << QStringList{QStringLiteral("dog"), QStringLiteral("cafe")}
        << QStringList{QStringLiteral("pes, psík"), QStringLiteral("kavarna (cafĂ©)")} << QString()
        << true << QStringList();
    QTest::newRow("pronunciation with brackets of its own")
        << QStringLiteral("sounds.tsv")
        << QByteArray("dog\tpes\t[d\xc9\x92\xc9\xa1]\ncat\tko\xc4\x8dka\tk\xc3\xa6t\n")
        << QStringList{QStringLiteral("dog"), QStringLiteral("cat")}
        << QStringList{QStringLiteral("pes"), QStringLiteral("kočka")} << QString() << true
        << QStringList{QStringLiteral("[dɒɡ]"), QStringLiteral("[kæt]")};
    QTest::newRow("KVTML: the first English of two, the example beside its translation")
        << QStringLiteral("colour.kvtml")
        << kvtml(identifier(0, "English", "en_GB") +
                     identifier(1,
                                "\xc4\x8c"
                                "e\xc5\xa1tina",
                                "cs") +
                     identifier(2, "American", "en_US"),
                 "<entry id=\"0\"><translation id=\"2\"><text>color</text>"
                 "<example>What color?</example></translation>"
                 "<translation id=\"0\"><text>colour</text><example>What colour is it?</example>"
                 "</translation><translation id=\"1\"><text>barva</text>"
                 "<example>Jak\xc3\xa1 je to barva?</example></translation></entry>\n")
        << QStringList{QStringLiteral("colour")} << QStringList{QStringLiteral("barva")}
        << QString() << false
        << QStringList{QStringLiteral("What colour is it?|Jaká je to barva?")};
    QTest::newRow("NUL in a CSV row")
        << QStringLiteral("nul.csv") << QByteArray("dog,p\0es\r\ncat,ko\xe8ka\r\n", 21)
        << QStringList{QStringLiteral("cat")} << QStringList{QStringLiteral("kočka")}
        << QStringLiteral("nul.csv:1: obsahuje nulový znak (NUL), ten do lekce nepatří; řádek "
                          "přeskočen\n")
        << false << QStringList();
    QTest::newRow("a byte-order mark inside a list is no translation")
        << QStringLiteral("marks.tsv") << QByteArray("dog\t\xef\xbb\xbf\ncat\tko\xc4\x8dka\n")
        << QStringList{QStringLiteral("cat")} << QStringList{QStringLiteral("kočka")}
        << QStringLiteral("marks.tsv:1: chybí český překlad; řádek přeskočen\n") << false
        << QStringList();
    QTest::newRow("a field as long as a lesson line may be, and one longer")
        << QStringLiteral("long.tsv")
        << QByteArray("long\tdlouh\xc3\xbd\t\t\t" +
                      QByteArray(LessonLineReader::MaxLineBytes, 'n') +
                      "\nlonger\tdel\xc5\xa1\xc3\xad\t\t\t" +
                      QByteArray(LessonLineReader::MaxLineBytes + 1, 'n') + "\n")
        << QStringList{QStringLiteral("long")} << QStringList{QStringLiteral("dlouhý")}
        << QStringLiteral("long.tsv:2: řádek „poznámka“ by měl víc než 16384 bajtů, spořič by ho "
                          "uřízl; řádek přeskočen\n")
        << false << QStringList();
    QTest::newRow("KVTML entities that the file does not load")
        << QStringLiteral("entity.kvtml")
        << kvtml(identifier(0, "English", "en") + identifier(1, "Czech", "cs"),
                 "<entry id=\"0\"><translation id=\"0\"><text>dog&ext;</text></translation>"
                 "<translation id=\"1\"><text>pes&nbsp;</text></translation></entry>\n",
                 "<!DOCTYPE kvtml SYSTEM \"kvtml2.dtd\" [ <!ENTITY ext SYSTEM \"ext.txt\"> ]>\n")
        << QStringList{QStringLiteral("dog")} << QStringList{QStringLiteral("pes")}
        << QStringLiteral("entity.kvtml:9: vnější entita „&ext;“ se nenačítá, slovo bude bez ní\n"
                          "entity.kvtml:9: neznámá entita „&nbsp;“ se vynechá\n")
        << false << QStringList();
    QTest::newRow("UTF-16 with a lone surrogate beside a line break in a field")
        << QStringLiteral("surrogate.csv")
        << utf16(QStringConverter::Utf16LE,
                 QStringLiteral("dog,pes,\"d") + QChar(0xDC00) + QStringLiteral("\n g\"\n"))
        << QStringList{QStringLiteral("dog")} << QStringList{QStringLiteral("pes")} << QString()
        << true << QStringList{QStringLiteral("[d? g]")};
    QTest::newRow("two entries showing the same Czech")
        << QStringLiteral("same.tsv")
        << QByteArray("ill\tnemocn\xc3\xbd\nsick\tnemocn\xc3\xbd, chor\xc3\xbd\n")
        << QStringList{QStringLiteral("ill"), QStringLiteral("sick")}
        << QStringList{QStringLiteral("nemocný"), QStringLiteral("nemocný, chorý")}
        << QStringLiteral(
               "OUT/same.txt:13: stejná čeština „nemocný“ jako v záznamu na řádku 6: kdo "
               "vidí češtinu napřed, nepozná, které anglické slovo je míněno\n")
        << false << QStringList();
}

void TestLessonImport::importedLessonLoads()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, english);
    QFETCH(QStringList, czech);
    QFETCH(QString, skipped);
    QFETCH(bool, utf8);
    QFETCH(QStringList, lines);
    QVERIFY(QDir::setCurrent(m_dir->path()));
    WriteFile(input, bytes);
    const QString out = m_dir->filePath(QStringLiteral("out"));
    const int status = run({QStringLiteral("import"), input, QStringLiteral("-o"), out});
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    skipped.replace(QStringLiteral("OUT/"), QDir::toNativeSeparators(out + QLatin1Char('/')));
    QCOMPARE(m_err, skipped);
    QCOMPARE(status, skipped.isEmpty() ? 0 : 1);
    const QString written =
        QDir(out).filePath(QFileInfo(input).completeBaseName() + QStringLiteral(".txt"));
    QCOMPARE(m_out, QDir::toNativeSeparators(written) + QLatin1Char('\n'));

    QFile file(written);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray lesson = file.readAll();
    QCOMPARE(lesson.startsWith("\xEF\xBB\xBF"), utf8);
    QVERIFY(lesson.contains("\r\n--\r\n"));
    QVERIFY(readsAsWritten(lesson));
    const QStringList held = lessonLines(lesson);
    for (const QString& line : lines)
        QVERIFY2(held.contains(line), qPrintable(line));

    auto loaded = std::make_unique<LessonEntries>();
    ScriptedRandom random;
    QCOMPARE(LoadLessonFile(*loaded, out, random, {}).result, LessonLoadResult::Loaded);
    QCOMPARE(loaded->WordCount, qint16(english.size()));
    for (qsizetype i = 0; i < english.size(); ++i) {
        QCOMPARE(loaded->EnglishWords.at(i), english.at(i));
        QCOMPARE(loaded->CzechWords.at(i), czech.at(i));
    }
}

void TestLessonImport::lessonParts_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("lineBytes");      // of the note and of the example
    QTest::addColumn<QList<int>>("entries"); // of each lesson; empty: as many as fit
    QTest::newRow("201 rows make one lesson") << 201 << 0 << QList<int>{201};
    QTest::newRow("202 rows make two") << 202 << 0 << QList<int>{201, 1};
    QTest::newRow("450 rows make three") << 450 << 0 << QList<int>{201, 201, 48};
    QTest::newRow("long rows make lessons of up to 4 MiB")
        << 201 << int(LessonLineReader::MaxLineBytes / 2) << QList<int>();
}

void TestLessonImport::lessonParts()
{
    QFETCH(int, rows);
    QFETCH(int, lineBytes);
    QFETCH(QList<int>, entries);
    QByteArray list;
    const QByteArray note(lineBytes, 'n');
    const QByteArray example = lineBytes > 0 ? QByteArray(lineBytes - 1, 'e') + "\tp" : "";
    for (int i = 1; i <= rows; ++i)
        list += "word" + QByteArray::number(i) + "\tslovo " + QByteArray::number(i) + "\t\t\t" +
                note + "\t" + example + "\n";
    const QString input = m_dir->filePath(QStringLiteral("dlouhy.tsv"));
    WriteFile(input, list);
    const QString out = m_dir->filePath(QStringLiteral("out"));
    QCOMPARE(run({QStringLiteral("import"), input, QStringLiteral("-o"), out,
                  QStringLiteral("--title"), QStringLiteral("Dlouhý/Long")}),
             0);
    const QStringList names = QDir(out).entryList(QDir::Files, QDir::Name);
    if (!entries.isEmpty())
        QCOMPARE(names.size(), entries.size());
    QVERIFY(names.size() > 1 || rows <= LessonSlots);
    int first = 1;
    for (qsizetype part = 0; part < names.size(); ++part) {
        const QString name = names.size() == 1 ? QStringLiteral("dlouhy.txt")
                                               : QStringLiteral("dlouhy-%1.txt").arg(part + 1);
        QCOMPARE(names.at(part), name);
        QTemporaryDir single;
        QVERIFY(QFile::copy(QDir(out).filePath(name), single.filePath(name)));
        auto loaded = std::make_unique<LessonEntries>();
        ScriptedRandom random;
        const LessonLoad load = LoadLessonFile(*loaded, single.path(), random, {});
        QCOMPARE(load.title, names.size() == 1 ? QStringLiteral("Dlouhý")
                                               : QStringLiteral("Dlouhý (%1)").arg(part + 1));
        if (!entries.isEmpty())
            QCOMPARE(loaded->WordCount, qint16(entries.at(part)));
        QCOMPARE(loaded->EnglishWords.at(0), QStringLiteral("word%1").arg(first));
        first += loaded->WordCount;
        QVERIFY(CheckLesson(readAll(QDir(out).filePath(name))).isEmpty());
    }
    QCOMPARE(first, rows + 1);
}

void TestLessonImport::existingLesson_data()
{
    QTest::addColumn<QString>("existing"); // what is at the lesson's name: file, link, ...
    QTest::addColumn<bool>("force");
    QTest::addColumn<int>("status");
    QTest::newRow("file kept without --force") << QStringLiteral("file") << false << 2;
    QTest::newRow("file replaced with --force") << QStringLiteral("file") << true << 0;
#ifdef Q_OS_UNIX
    QTest::newRow("link replaced itself with --force") << QStringLiteral("link") << true << 0;
    QTest::newRow("dangling link kept without --force")
        << QStringLiteral("dangling link") << false << 2;
#endif
    QTest::newRow("folder in the way") << QStringLiteral("folder") << true << 2;
}

void TestLessonImport::existingLesson()
{
    QFETCH(QString, existing);
    QFETCH(bool, force);
    QFETCH(int, status);
    const QString input = m_dir->filePath(QStringLiteral("slova.tsv"));
    WriteFile(input, "dog\tpes\n");
    const QDir out(m_dir->filePath(QStringLiteral("out")));
    const QString lesson = out.filePath(QStringLiteral("slova.txt"));
    const QString target = out.filePath(QStringLiteral("mine.txt"));
    if (existing == QLatin1String("file"))
        WriteFile(lesson, "mine");
    else if (existing == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(lesson));
    else
        WriteFile(target, "mine");
    if (existing == QLatin1String("dangling link"))
        QVERIFY(QFile::remove(target));
    if (existing.contains(QLatin1String("link")))
        QVERIFY(QFile::link(QStringLiteral("mine.txt"), lesson));

    QStringList arguments{QStringLiteral("import"), input, QStringLiteral("-o"), out.path()};
    if (force)
        arguments << QStringLiteral("--force");
    QCOMPARE(run(arguments), status);
    const QFileInfo after(lesson);
    if (status == 0) {
        QVERIFY(after.isFile() && !after.isSymLink());
        QVERIFY(readAll(lesson).startsWith("slova/\r\n"));
    } else if (existing == QLatin1String("file")) {
        QCOMPARE(readAll(lesson), QByteArray("mine"));
    } else if (existing == QLatin1String("folder")) {
        QVERIFY(after.isDir());
    } else {
        QVERIFY(after.isSymLink());
    }
    // A link's target is never written through.
    if (existing == QLatin1String("link"))
        QCOMPARE(readAll(target), QByteArray("mine"));
    if (existing == QLatin1String("dangling link"))
        QVERIFY(!QFileInfo::exists(target));
    const QStringList left = out.entryList(QDir::Files | QDir::Hidden | QDir::System);
    QVERIFY2(left.filter(QStringLiteral(".slova")).isEmpty(), qPrintable(left.join(u' ')));
}

void TestLessonImport::refusedImport_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("says");
    const QByteArray languages = identifier(0, "English", "en") + identifier(1, "Czech", "cs");
    const QByteArray dog = "<entry id=\"0\"><translation id=\"0\"><text>dog</text></translation>"
                           "<translation id=\"1\"><text>pes</text></translation></entry>\n";
    constexpr int deep = 60000;
    QTest::newRow("KVTML word types nested 60,000 deep")
        << QStringLiteral("deep.kvtml")
        << kvtml(languages, dog)
               .replace("</kvtml>", "<wordtypes><container><name>noun</name>" +
                                        QByteArray("<container>").repeated(deep) +
                                        QByteArray("</container>").repeated(deep) +
                                        "</container></wordtypes></kvtml>")
        << QStringList() << QStringLiteral("vnořený hlouběji než 64 úrovní");
    QTest::newRow("KVTML word nested 60,000 deep")
        << QStringLiteral("deep.kvtml")
        << kvtml(languages, QByteArray(dog).replace("<text>dog",
                                                    "<text>" + QByteArray("<b>").repeated(deep) +
                                                        "dog" + QByteArray("</b>").repeated(deep)))
        << QStringList() << QStringLiteral("vnořený hlouběji než 64 úrovní");
    QTest::newRow("KVTML without Czech names the languages it has")
        << QStringLiteral("de.kvtml")
        << kvtml(identifier(0, "English", "en_GB") + identifier(1, "Deutsch", "de"), dog)
        << QStringList()
        << QStringLiteral("chybí čeština (locale „cs“), má jen „en_GB“ (English), „de“ (Deutsch)");
    QTest::newRow("KVTML without any language")
        << QStringLiteral("none.kvtml") << kvtml({}, dog) << QStringList()
        << QStringLiteral("chybí angličtina ani čeština (locale „en“ a „cs“), nemá žádný jazyk");
    QTest::newRow("title longer than the saver reads")
        << QStringLiteral("list.tsv") << QByteArray("dog\tpes\n")
        << QStringList{QStringLiteral("--title"), QString(100000, u'T')}
        << QStringLiteral("název lekce je delší než 16384 bajtů");
    QTest::newRow("list larger than 16 MiB")
        << QStringLiteral("big.tsv") << QByteArray("dog\tpes\n").repeated(16 * 1024 * 1024 / 8 + 1)
        << QStringList() << QStringLiteral("soubor je větší než 16 MiB");
}

void TestLessonImport::refusedImport()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(QString, says);
    const QString path = m_dir->filePath(input);
    WriteFile(path, bytes);
    const QString out = m_dir->filePath(QStringLiteral("out"));
    QCOMPARE(run(QStringList{QStringLiteral("import"), path, QStringLiteral("-o"), out} + options),
             2);
    QVERIFY2(m_err.contains(says), qPrintable(m_err));
    QCOMPARE(m_out, QString());
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestLessonImport::nativeNames_data()
{
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<QByteArray>("written"); // a file the tool writes, by its bytes
#ifdef Q_OS_LINUX
    QTest::newRow("check of a lesson named in Windows-1250")
        << QList<QByteArray>{"check", "les\xe8on.txt"} << QByteArray();
    QTest::newRow("import of a list named in Windows-1250")
        << QList<QByteArray>{"import", "\xe9.csv", "-o", "out"} << QByteArray("out/\xc3\xa9.txt");
    QTest::newRow("import into a folder named in Windows-1250")
        << QList<QByteArray>{"import", "list.csv", "-o", "dir\xff"}
        << QByteArray("dir\xff/list.txt");
#endif
}

void TestLessonImport::nativeNames()
{
#ifdef Q_OS_LINUX
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(QByteArray, written);
    QVERIFY(QDir::setCurrent(m_dir->path()));
    // Qt's own removal cannot name these files.
    const QByteArray dir = QFile::encodeName(m_dir->path()) + '/';
    const auto removeNative = qScopeGuard([&dir] {
        for (const char* name : {"les\xe8on.txt", "\xe9.csv", "dir\xff/list.txt"})
            ::unlink((dir + name).constData());
        ::rmdir((dir + "dir\xff").constData());
    });
    const auto create = [](const QByteArray& name, const QByteArray& bytes) {
        const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        return descriptor >= 0 &&
               ::write(descriptor, bytes.constData(), size_t(bytes.size())) == bytes.size() &&
               ::close(descriptor) == 0;
    };
    QVERIFY(create("les\xe8on.txt", "Zv\xed\xf8"
                                    "ata/Animals\r\nx\r\ndog\r\n\r\n\r\npes\r\n\r\n\r\n--\r\n"));
    QVERIFY(create("\xe9.csv", "dog,pes\n"));
    QVERIFY(create("list.csv", "dog,pes\n"));
    QList<ToolArgument> tool;
    for (const QByteArray& argument : arguments)
        tool.append({QFile::decodeName(argument), argument});
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    const int status = RunLessonTool(tool, out, err);
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    QVERIFY2(status == 0, qPrintable(m_out + m_err));
    if (!written.isEmpty())
        QVERIFY2(::access((dir + written).constData(), F_OK) == 0, written.constData());
#else
    QSKIP("file names are bytes only on Linux");
#endif
}

void TestLessonImport::fullDisk_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("existing"); // a lesson of the same name is there
    QTest::addColumn<int>("free");      // bytes left on the disk
    QTest::newRow("--force over a lesson on a full disk") << 200 << true << 0;
    QTest::newRow("--force over a lesson on a nearly full disk") << 200 << true << 8192;
    QTest::newRow("new lesson on a full disk") << 200 << false << 0;
    QTest::newRow("the third of three lessons does not fit") << 603 << false << 24576;
}

// A disk of 64 KiB of its own, which only root can mount; CI runs as root.
void TestLessonImport::fullDisk()
{
    QFETCH(int, rows);
    QFETCH(bool, existing);
    QFETCH(int, free);
    const QString disk = m_dir->filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(disk));
    QProcess mount;
    mount.start(QStringLiteral("mount"),
                {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                 QStringLiteral("size=64k"), QStringLiteral("tmpfs"), disk});
    if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit ||
        mount.exitCode() != 0)
        QSKIP("cannot mount a small disk here");
    const auto unmount =
        qScopeGuard([&disk] { QProcess::execute(QStringLiteral("umount"), {disk}); });

    QByteArray list;
    for (int i = 1; i <= rows; ++i)
        list += "doggy number " + QByteArray::number(i) + "\tpsisko \xc4\x8d\xc3\xadslo " +
                QByteArray::number(i) + "\td\xc9\x92\xc9\xa1\n";
    const QString input = m_dir->filePath(QStringLiteral("list.tsv"));
    WriteFile(input, list);
    const QString lesson = QDir(disk).filePath(QStringLiteral("list.txt"));
    const QByteArray old = "Star\xe1/Old\r\n" + QByteArray(3000, 'x') + "\r\n";
    if (existing)
        WriteFile(lesson, old);
    QFile filler(QDir(disk).filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray page(4096, 'f');
    while (filler.write(page) == page.size()) {
    }
    QVERIFY(filler.resize(qMax<qint64>(0, filler.size() - free)));
    filler.close();

    QStringList arguments{QStringLiteral("import"), input, QStringLiteral("-o"), disk};
    if (existing)
        arguments << QStringLiteral("--force");
    QCOMPARE(run(arguments), 2);
    QVERIFY2(m_err.contains(QStringLiteral("nic se nezapsalo")), qPrintable(m_err));
    QStringList left{QStringLiteral("filler")};
    if (existing) {
        left << QStringLiteral("list.txt");
        QCOMPARE(readAll(lesson), old);
    }
    QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden, QDir::Name), left);
}

QTEST_GUILESS_MAIN(TestLessonImport)
#include "tst_lessonimport.moc"

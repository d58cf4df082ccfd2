#include "lessons/lessoncheck.h"
#include "lessons/lessonloader.h"
#include "lessontool/lessontool.h"
#include "lessontool/tablereader.h"
#include "support/scriptedrandom.h"
#include "support/testenvironment.h"

#include <memory>
#include <QTemporaryDir>
#include <QtTest>

class TestLessonImport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void csvRecords_data();
    void csvRecords();
    void importedLessonLoads_data();
    void importedLessonLoads();
    void longListSplitsAt201();
    void existingLessonIsKeptWithoutForce();

private:
    int run(const QStringList& arguments);
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_out;
    QString m_err;
};

using Rows = QList<QStringList>;
using Lines = QList<int>;

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
}

void TestLessonImport::csvRecords()
{
    QFETCH(QString, text);
    QFETCH(Rows, rows);
    QFETCH(Lines, lines);
    QFETCH(QList<bool>, malformed);
    const QList<TableRow> read = ReadCsv(text);
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
    QTest::addColumn<QString>("skipped"); // what the tool says of skipped rows
    QTest::addColumn<bool>("utf8");

    QTest::newRow("TSV with a header, in Windows-1250")
        << QStringLiteral("zvirata.tsv")
        << QByteArray("English\tCzech\tPronunciation\nbird\tpt\xe1k\tb\xe9rd\tpodst. jm.\tmn. "
                      "birds\tA bird.\tPt\xe1k.\n"
                      "dog\tpes, ps\xedk\n")
        << QStringList{QStringLiteral("bird"), QStringLiteral("dog")}
        << QStringList{QStringLiteral("pták"), QStringLiteral("pes, psík")} << QString() << false;
    QTest::newRow("TSV with a bad row")
        << QStringLiteral("list.txt") << QByteArray("dog\tpes\nonly english\n\tkočka\ncat\tkočka\n")
        << QStringList{QStringLiteral("dog"), QStringLiteral("cat")}
        << QStringList{QStringLiteral("pes"), QStringLiteral("kočka")}
        << QStringLiteral("list.txt:2: chybí český překlad; řádek přeskočen\n"
                          "list.txt:3: chybí anglické slovo; řádek přeskočen\n")
        << false;
    QTest::newRow("CSV with quoted commas, quotes and a line break")
        << QStringLiteral("words.csv")
        << QByteArray(
               "english,czech,pron,pos,note,example,translation\r\n"
               "\"well, then\",\"no, tak\",,,,\"He said \"\"hi\"\".\",\"Řekl\r\n\"\"ahoj\"\".\"\r\n"
               "--,pomlčka\r\ncat,kočka\r\n")
        << QStringList{QStringLiteral("well, then"), QStringLiteral("cat")}
        << QStringList{QStringLiteral("no, tak"), QStringLiteral("kočka")}
        << QStringLiteral("words.csv:4: slovo začíná „--“, což lekce čte jako konec záznamu; řádek "
                          "přeskočen\n")
        << false;
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
        << QStringLiteral("slova.kvtml:10: chybí anglické slovo; řádek přeskočen\n") << true;
}

void TestLessonImport::importedLessonLoads()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, english);
    QFETCH(QStringList, czech);
    QFETCH(QString, skipped);
    QFETCH(bool, utf8);
    QVERIFY(QDir::setCurrent(m_dir->path()));
    WriteFile(input, bytes);
    const QString out = m_dir->filePath(QStringLiteral("out"));
    const int status = run({QStringLiteral("import"), input, QStringLiteral("-o"), out});
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
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
    const QList<LessonProblem> problems = CheckLesson(lesson);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.value(0).message));

    auto loaded = std::make_unique<LessonEntries>();
    ScriptedRandom random;
    QCOMPARE(LoadLessonFile(*loaded, out, random, {}).result, LessonLoadResult::Loaded);
    QCOMPARE(loaded->WordCount, qint16(english.size()));
    for (qsizetype i = 0; i < english.size(); ++i) {
        QCOMPARE(loaded->EnglishWords.at(i), english.at(i));
        QCOMPARE(loaded->CzechWords.at(i), czech.at(i));
    }
}

void TestLessonImport::longListSplitsAt201()
{
    QByteArray rows;
    for (int i = 1; i <= 450; ++i)
        rows += "word" + QByteArray::number(i) + "\tslovo " + QByteArray::number(i) + "\n";
    const QString input = m_dir->filePath(QStringLiteral("dlouhy.tsv"));
    WriteFile(input, rows);
    const QString out = m_dir->filePath(QStringLiteral("out"));
    QCOMPARE(run({QStringLiteral("import"), input, QStringLiteral("-o"), out,
                  QStringLiteral("--title"), QStringLiteral("Dlouhý/Long")}),
             0);
    const QStringList names{QStringLiteral("dlouhy-1.txt"), QStringLiteral("dlouhy-2.txt"),
                            QStringLiteral("dlouhy-3.txt")};
    QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name), names);
    const QList<int> counts{201, 201, 48};
    const QList<int> firstWords{1, 202, 403};
    for (int part = 0; part < 3; ++part) {
        QTemporaryDir single;
        QVERIFY(QFile::copy(QDir(out).filePath(names.at(part)), single.filePath(names.at(part))));
        auto loaded = std::make_unique<LessonEntries>();
        ScriptedRandom random;
        const LessonLoad load = LoadLessonFile(*loaded, single.path(), random, {});
        QCOMPARE(load.title, QStringLiteral("Dlouhý (%1)").arg(part + 1));
        QCOMPARE(loaded->WordCount, qint16(counts.at(part)));
        QCOMPARE(loaded->EnglishWords.at(0), QStringLiteral("word%1").arg(firstWords.at(part)));
        QFile file(QDir(out).filePath(names.at(part)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(CheckLesson(file.readAll()).isEmpty());
    }
}

void TestLessonImport::existingLessonIsKeptWithoutForce()
{
    const QString input = m_dir->filePath(QStringLiteral("slova.tsv"));
    WriteFile(input, "dog\tpes\n");
    const QString out = m_dir->filePath(QStringLiteral("out"));
    WriteFile(QDir(out).filePath(QStringLiteral("slova.txt")), "mine");
    QCOMPARE(run({QStringLiteral("import"), input, QStringLiteral("-o"), out}), 2);
    QFile kept(QDir(out).filePath(QStringLiteral("slova.txt")));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("mine"));
    kept.close();
    QCOMPARE(run({QStringLiteral("import"), input, QStringLiteral("-o"), out,
                  QStringLiteral("--force")}),
             0);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QVERIFY(kept.readAll().startsWith("slova/\r\n"));
}

QTEST_GUILESS_MAIN(TestLessonImport)
#include "tst_lessonimport.moc"

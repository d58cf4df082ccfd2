#include "lessons/lessoncheck.h"
#include "lessons/lessonlinereader.h"
#include "lessons/lessonloader.h"
#include "lessontool/lessontool.h"
#include "support/testenvironment.h"

#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestLessonCheck : public QObject {
    Q_OBJECT
private slots:
    void brokenLessons_data();
    void brokenLessons();
    void exitStatus_data();
    void exitStatus();
    void commandLine_data();
    void commandLine();
};

namespace {

// An entry in today's style, its six lines and the terminator, Windows-1250.
QByteArray entry(const QByteArray& english, const QByteArray& czech)
{
    return english + "\r\n[" + english + "]\r\npodstatn\xe9 jm\xe9no\r\n" + czech +
           "\r\nmn. \xe8. things\r\nA " + english + ".|Jeden " + czech + ".\r\n--\r\n";
}

// The same with ASCII in every line but the Czech one.
QByteArray plainEntry(const QByteArray& english, const QByteArray& czech)
{
    return english + "\r\n[x]\r\nnoun\r\n" + czech + "\r\nnote\r\nA.|B.\r\n--\r\n";
}

QByteArray lesson(const QByteArray& body)
{
    return "Zv\xed\xf8"
           "ata/Animals\r\nLekce 1\r\n" +
           body;
}

} // namespace

void TestLessonCheck::brokenLessons_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line"); // 0: no problem at all
    QTest::addColumn<QString>("says");

    const QByteArray dog = entry("dog", "pes, ps\xedk");
    const QByteArray cat = entry("cat", "ko\xe8ka");
    QTest::newRow("sound lesson") << lesson(dog + cat) << 0 << QString();
    QTest::newRow("sound UTF-8 lesson with a mark")
        << QByteArray("\xEF\xBB\xBFZv\xC3\xAD\xC5\x99"
                      "ata/Animals\r\nx\r\ndog\r\n[d]\r\nn\r\npes\r\nn\r\nA|B\r\n--\r\n")
        << 0 << QString();
    QTest::newRow("first line without slash")
        << QByteArray("Zvirata\r\nx\r\n" + dog) << 1 << QStringLiteral("„/“");
    // The note is missing, so the terminator lands on entry line 5 and cat joins dog.
    QTest::newRow("terminator inside the first six lines")
        << lesson("dog\r\n[dog]\r\nnoun\r\npes\r\n--\r\n" + cat) << 7 << QStringLiteral("pohltí");
    QTest::newRow("empty English")
        << lesson(dog + entry("", "ko\xe8ka")) << 10 << QStringLiteral("anglické");
    QTest::newRow("Czech blank before its first comma")
        << lesson(dog + entry("cat", " , ko\xe8ka")) << 13 << QStringLiteral("český");
    QTest::newRow("last entry without terminator")
        << lesson(dog + plainEntry("cat", "kocka").chopped(4)) << 10
        << QStringLiteral("ukončovací");
    QByteArray full;
    for (int i = 0; i < 201; ++i)
        full += entry("dog", "pes " + QByteArray::number(i));
    QTest::newRow("entry past the 201st")
        << lesson(full + cat) << 2 + 201 * 7 + 1 << QStringLiteral("nejvýš 201");
    QTest::newRow("line the saver cuts")
        << lesson(dog +
                  entry("cat", "ko\xe8ka").replace("mn. \xe8. things", QByteArray(20000, 'x')))
        << 14 << QStringLiteral("delší");
    QTest::newRow("byte Windows-1250 does not define")
        << lesson(dog + plainEntry("cat", "ko\x81ka")) << 13 << QStringLiteral("nic neznamenají");
    QTest::newRow("UTF-8 file with a byte neither encoding reads")
        << QByteArray("\xEF\xBB\xBFZ/A\r\nx\r\ndog\r\n[d]\r\nn\r\np\x81s\r\nn\r\nA|B\r\n--\r\n")
        << 6 << QStringLiteral("ani Windows-1250");
    QTest::newRow("UTF-8 line in a Windows-1250 file")
        << lesson(dog + plainEntry("cat", "ko\xC4\x8Dka")) << 13
        << QStringLiteral("čte soubor jako Windows-1250 (řádek 1 není platné UTF-8)");
    // Without a mark one line that is not UTF-8 makes the whole file Windows-1250, so the
    // UTF-8 title is the line that comes out wrong.
    QTest::newRow("Windows-1250 line in a UTF-8 file")
        << QByteArray("Zv\xC3\xAD\xC5\x99"
                      "ata/A\r\nx\r\n" +
                      plainEntry("cat", "ko\xe8ka"))
        << 1 << QStringLiteral("čte soubor jako Windows-1250 (řádek 6 není platné UTF-8)");
    QTest::newRow("Windows-1250 line in a UTF-8 file with a mark")
        << QByteArray("\xEF\xBB\xBFZv\xC3\xAD\xC5\x99"
                      "ata/A\r\nx\r\n" +
                      plainEntry("cat", "ko\xe8ka"))
        << 6 << QStringLiteral("čte soubor jako UTF-8 (začíná značkou BOM)");
    QTest::newRow("Windows-1250 word that is valid UTF-8 too")
        << lesson(dog + plainEntry("rain", "d\xe9\x9a\x9d")) << 0 << QString();
    const QByteArray head = lesson(dog);
    QTest::newRow("file longer than the saver reads")
        << head + QByteArray(5 * 1024 * 1024, '\n') << int(9 + MaxLessonBytes - head.size())
        << QStringLiteral("přečte jen začátek");
    QTest::newRow("no entry at all") << lesson("") << 1 << QStringLiteral("žádný záznam");
    QByteArray longest = lesson(dog + plainEntry("cat", "kocka"));
    longest.replace("note", QByteArray(LessonLineReader::MaxLineBytes, 'n'));
    QTest::newRow("line of exactly the length the saver reads") << longest << 0 << QString();
    QTest::newRow("terminator on the sixth line")
        << lesson(dog + plainEntry("cat", "kocka").replace("A.|B.", "--")) << 15
        << QStringLiteral("„--“ na 6. řádku");
    QTest::newRow("NUL byte") << lesson(dog + plainEntry(QByteArray("c\0at", 4), "kocka")) << 10
                              << QStringLiteral("NUL");
    QTest::newRow("comma inside brackets cuts the shown Czech")
        << lesson(dog + entry("canteen", "j\xed"
                                         "delna (\x9akoln\xed, z\xe1vodn\xed)"))
        << 13 << QStringLiteral("ukáže jen „jídelna (školní“");
    QTest::newRow("bracket closed before the comma")
        << lesson(dog + entry("canteen", "j\xed"
                                         "delna (\x9akoln\xed), menza"))
        << 0 << QString();
    QTest::newRow("same shown Czech, blanks aside")
        << lesson(entry("ill", "nemocn\xfd, chor\xfd") + cat + entry("sick", " nemocn\xfd ")) << 20
        << QStringLiteral("stejná čeština „nemocný“ jako v záznamu na řádku 6");
}

void TestLessonCheck::brokenLessons()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(QString, says);
    const QList<LessonProblem> problems = CheckLesson(bytes);
    if (line == 0) {
        QVERIFY2(problems.isEmpty(), qPrintable(problems.value(0).message));
        return;
    }
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.at(0).line, line);
    QVERIFY2(problems.at(0).message.contains(says), qPrintable(problems.at(0).message));
}

void TestLessonCheck::exitStatus_data()
{
    QTest::addColumn<QStringList>("files"); // sound, broken, missing, fifo, huge
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::newRow("sound lesson") << QStringList{QStringLiteral("sound")} << 0 << QString();
    QTest::newRow("problem named by file and line")
        << QStringList{QStringLiteral("sound"), QStringLiteral("broken")} << 1
        << QStringLiteral("broken:1: první řádek nemá „/“: má být „Název/Title“\n");
    QTest::newRow("missing file") << QStringList{QStringLiteral("missing"),
                                                 QStringLiteral("broken")}
                                  << 2
                                  << QStringLiteral(
                                         "missing: soubor neexistuje\n"
                                         "broken:1: první řádek nemá „/“: má být „Název/Title“\n");
    // Read whole, a sparse file of 8 GB would exhaust the memory.
    QTest::newRow("huge file read only as far as the saver reads")
        << QStringList{QStringLiteral("huge")} << 1
        << QStringLiteral(
               "huge:1: řádek je delší než 16384 bajtů, spořič z něj přečte jen začátek\n"
               "huge:1: řádek obsahuje nulový bajt (NUL), ten žádné písmeno lekce není\n"
               "huge:1: první řádek nemá „/“: má být „Název/Title“\n"
               "huge:1: soubor je delší než 4 MiB: spořič přečte jen začátek, po tento "
               "řádek\n"
               "huge:1: lekce nemá žádný záznam\n");
#ifdef Q_OS_UNIX
    // A pipe without a writer would hold the tool forever if it were opened.
    QTest::newRow("pipe") << QStringList{QStringLiteral("fifo")} << 2
                          << QStringLiteral("fifo: není to obyčejný soubor\n");
#endif
}

void TestLessonCheck::exitStatus()
{
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    WriteFile(QStringLiteral("sound"), lesson(entry("dog", "pes")));
    WriteFile(QStringLiteral("broken"), QByteArray("Zvirata\r\nx\r\n") + entry("dog", "pes"));
#ifdef Q_OS_UNIX
    QCOMPARE(mkfifo("fifo", 0600), 0);
#endif
    if (files.contains(QStringLiteral("huge"))) {
        QFile huge(QStringLiteral("huge"));
        if (!huge.open(QIODevice::WriteOnly) || !huge.resize(8LL * 1024 * 1024 * 1024))
            QSKIP("no sparse file of 8 GB here");
    }
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status =
        RunLessonTool(QStringList{QStringLiteral("check")} + files, outStream, errStream);
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    QTEST(status, "status");
    QTEST(out, "output");
}

void TestLessonCheck::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says"); // on standard output
    const QString version = QStringLiteral("%1.%2.%3")
                                .arg(VOKABO_VERSION_MAJOR)
                                .arg(VOKABO_VERSION_MINOR)
                                .arg(VOKABO_VERSION_PATCH);
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                             << QStringLiteral("vokabo-lekce %1\n").arg(version);
    QTest::newRow("help names the version option")
        << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("vokabo-lekce --version\n");
}

void TestLessonCheck::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    QTEST(RunLessonTool(arguments, outStream, errStream), "status");
    QVERIFY2(out.contains(says), qPrintable(out));
    QCOMPARE(err, QString());
}

QTEST_GUILESS_MAIN(TestLessonCheck)
#include "tst_lessoncheck.moc"

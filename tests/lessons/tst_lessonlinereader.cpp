#include "lessons/lessonlinereader.h"
#include "platform/windows1250.h"

#include <QtTest>

class TestLessonLineReader : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void lineEndSplitAcrossChunks();
    void overlongLineIsCutAndNextLineStillRead();
    void everyByteDecodesAsTheCodePageSays();
};

namespace {

QStringList readAll(const QByteArray& bytes)
{
    LessonLineReader reader(bytes);
    QStringList lines;
    while (!reader.AtEnd())
        lines << reader.ReadLine();
    return lines;
}

QString s(const char* text) { return QString::fromUtf8(text); }

} // namespace

void TestLessonLineReader::lines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{s("a"), s("b")};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{s("a"), s("b")};
    QTest::newRow("lone LF") << QByteArray("a\nb\n") << QStringList{s("a"), s("b")};
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList{s("a"), s("b")};
    QTest::newRow("empty lines kept") << QByteArray("a\r\n\r\nb\r\n") << QStringList{s("a"), QString(), s("b")};
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QStringList{s("a"), QString(), s("b")};
    QTest::newRow("only CRs") << QByteArray("\r\r\r") << QStringList{QString(), QString(), QString()};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("Windows-1250 Czech letters")
        << QByteArray("\xe8\xe1\x9a\x9e\xfd\xed\xe9\xf9\xf8\xec\x8a\x8e\xd8\r\n")
        << QStringList{s("čášžýíéůřěŠŽŘ")};
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xEF\xBB\xBFko\xC4\x8Dka\r\n") << QStringList{s("kočka")};
    QTest::newRow("UTF-8 without mark")
        << QByteArray("dog\r\nko\xC4\x8Dka\r\n\xC5\xBE\xC3\xA1\x62\x61\r\n") << QStringList{s("dog"), s("kočka"), s("žába")};
    QTest::newRow("mark alone is stripped") << QByteArray("\xEF\xBB\xBF\r\nx") << QStringList{QString(), s("x")};
    // "déšť" in Windows-1250 is valid UTF-8 on its own; "sníh" is not.
    QTest::newRow("Windows-1250 word that is valid UTF-8, first")
        << QByteArray("title\r\nd\xe9\x9a\x9d\r\nsn\xedh\r\n") << QStringList{s("title"), s("déšť"), s("sníh")};
    QTest::newRow("byte-order mark wins over a line that is not UTF-8")
        << QByteArray("\xEF\xBB\xBFko\xC4\x8Dka\r\nsn\xedh\r\n")
        << QStringList{s("kočka"), QStringLiteral(u"sn\uFFFDh")};
    QTest::newRow("UTF-8 text cut inside its last character")
        << QByteArray("ko\xC4\x8Dka\r\n\xC5") << QStringList{s("kočka"), QStringLiteral(u"\uFFFD")};
    const QByteArray filler(LessonLineReader::MaxLineBytes - 3, 'a');
    QTest::newRow("UTF-8 line cut at the limit keeps whole characters")
        << QByteArray("\xC4\x8D" + filler + "\xC4\x8D\r\nko\xC4\x8Dka")
        << QStringList{s("č") + QString::fromLatin1(filler), s("kočka")};
    // Bytes 0x80 to 0xBF are whole letters in Windows-1250 ("ť", "ž"), not parts of one.
    QTest::newRow("Windows-1250 line cut at the limit keeps every byte before it")
        << QByteArray(QByteArray(LessonLineReader::MaxLineBytes - 1, 'a') + "\x9d\x9e\r\nsn\xedh")
        << QStringList{QString(LessonLineReader::MaxLineBytes - 1, QLatin1Char('a')) + s("ť"), s("sníh")};
    QTest::newRow("undefined Windows-1250 byte does not break the line")
        << QByteArray("a\x98z\r\nb") << QStringList{QStringLiteral(u"a\u0098z"), s("b")};
    QTest::newRow("NUL bytes stay inside the line") << QByteArray("a\0b\r\nc", 6) << QStringList{QString(QStringLiteral("a")) + QChar(0) + s("b"), s("c")};
}

void TestLessonLineReader::lines()
{
    QFETCH(QByteArray, bytes);
    QTEST(readAll(bytes), "lines");
}

void TestLessonLineReader::lineEndSplitAcrossChunks()
{
    // A CR at the very end of one read and its LF at the start of the next is one line end.
    QByteArray bytes;
    while (bytes.size() + 102 <= 64 * 1024 - 1)
        bytes += QByteArray(100, 'a') + "\r\n";
    const qsizetype shortLines = bytes.size() / 102;
    bytes += QByteArray(64 * 1024 - 1 - bytes.size(), 'b');
    QCOMPARE(bytes.size(), 64 * 1024 - 1); // the CR is the last byte of the first read
    const QStringList lines = readAll(bytes + "\r\nnext\r\n");
    QCOMPARE(lines.size(), shortLines + 2);
    QVERIFY(lines.at(shortLines).startsWith(QLatin1Char('b')));
    QCOMPARE(lines.last(), s("next"));
}

void TestLessonLineReader::overlongLineIsCutAndNextLineStillRead()
{
    const QByteArray huge(3 * LessonLineReader::MaxLineBytes + 5, 'y');
    const QStringList lines = readAll("T/x\r\n" + huge + "\r\nafter");
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(1).size(), LessonLineReader::MaxLineBytes);
    QCOMPARE(lines.at(2), s("after"));
}

void TestLessonLineReader::everyByteDecodesAsTheCodePageSays()
{
    QByteArray bytes;
    for (int byte = 1; byte <= 0xFF; ++byte)
        if (byte != '\r' && byte != '\n')
            bytes += char(byte);
    const QStringList lines = readAll("\x9e\xe1" "ba/x\r\n" + bytes);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(1), Windows1250::Decode(bytes));
}

QTEST_GUILESS_MAIN(TestLessonLineReader)
#include "tst_lessonlinereader.moc"

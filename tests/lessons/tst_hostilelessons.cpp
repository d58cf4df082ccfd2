#include "lessons/lessonloader.h"
#include "support/scriptedrandom.h"
#include "support/testenvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#ifdef Q_OS_UNIX
#endif

// Lesson folders and files that no editor would write: none of them may crash or hang the
// load, or fill more than the 201 slots.
class TestHostileLessons : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_dir.reset(); }

    void files_data();
    void files();
    void twoGibibytesWithoutLineEnd();
    void notARegularFileIsNeverRead_data();
    void notARegularFileIsNeverRead();
    void tenThousandFiles();
    void unreadableFolderIsNoLessons();
    void lessonsFolderThatIsAFileIsNoLessons();

private:
    LessonLoad load(LessonEntries& lesson, int* betweenLines = nullptr);
    std::unique_ptr<QTemporaryDir> m_dir;
};

LessonLoad TestHostileLessons::load(LessonEntries& lesson, int* betweenLines)
{
    ScriptedRandom random({0.5f});
    return LoadLessonFile(lesson, m_dir->path(), random, [betweenLines] {
        if (betweenLines)
            ++*betweenLines;
        return true;
    });
}

void TestHostileLessons::files_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("entries");

    QByteArray binary(200000, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 7919 + i / 13) & 0xFF);
    QTest::newRow("binary file") << binary << -1;
    QTest::newRow("only CRs") << QByteArray(2000000, '\r') << 0;
    QTest::newRow("only dashes") << QByteArray("--\r\n").repeated(100000) << 14285;
    QTest::newRow("invalid Windows-1250 bytes") << QByteArray("T\x81\x83/x\r\n\x88\r\n\x98\x90\r\n2\r\n3\r\n\x81\r\n5\r\n6\r\n--\r\n") << 1;
    QTest::newRow("invalid UTF-8 after a valid first line") << QByteArray("\xC5\xBE/x\r\n2\r\n\xC5\r\n2\r\n3\r\n\xFF\xFE\r\n5\r\n6\r\n--\r\n") << 1;
}

void TestHostileLessons::files()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, entries);
    WriteFile(m_dir->filePath(QStringLiteral("lesson")), bytes);
    auto lesson = std::make_unique<LessonEntries>();
    QCOMPARE(load(*lesson).result, LessonLoadResult::Loaded);
    QVERIFY(lesson->WordCount >= 0 && lesson->WordCount <= 201);
    if (entries >= 0)
        QCOMPARE(int(lesson->WordCount), qMin(entries, 201));
}

void TestHostileLessons::twoGibibytesWithoutLineEnd()
{
    {
        // Sparse: the file costs no disk, and reading it all would take many seconds.
        QFile file(m_dir->filePath(QStringLiteral("huge")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("T/") == 2);
        QVERIFY(file.resize(qint64(2) * 1024 * 1024 * 1024));
    }
    auto lesson = std::make_unique<LessonEntries>();
    int calls = 0;
    const LessonLoad result = load(*lesson, &calls);
    QCOMPARE(result.result, LessonLoadResult::Loaded);
    QCOMPARE(result.title, QStringLiteral("T"));
    QCOMPARE(lesson->WordCount, qint16(0));
    // Events get their turn while the line is read, and the read stops at the budget.
    QVERIFY2(calls > 10 && calls < 200, qPrintable(QString::number(calls)));
}

void TestHostileLessons::notARegularFileIsNeverRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to /dev/zero") << QStringLiteral("/dev/zero");
    QTest::newRow("link to /dev/urandom") << QStringLiteral("/dev/urandom");
    QTest::newRow("FIFO without a writer") << QStringLiteral("fifo");
    QTest::newRow("link to a FIFO") << QStringLiteral("link to fifo");
    QTest::newRow("folder") << QStringLiteral("folder");
}

void TestHostileLessons::notARegularFileIsNeverRead()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, kind);
    const QString lesson = m_dir->filePath(QStringLiteral("lesson"));
    QVERIFY(MakeNotRegularFile(kind, lesson));

    auto entries = std::make_unique<LessonEntries>();
    entries->WordCount = 7;
    QString title;
    QCOMPARE(ParseLessonFile(*entries, lesson, title, [] { return true; }), LessonLoadResult::Unreadable);
    QCOMPARE(entries->WordCount, qint16(7));
#else
    QSKIP("FIFOs and devices are Unix files");
#endif
}

void TestHostileLessons::tenThousandFiles()
{
    for (int i = 0; i < 10000; ++i)
        WriteFile(m_dir->filePath(QStringLiteral("l%1.txt").arg(i, 5, 10, QLatin1Char('0'))),
                  "T" + QByteArray::number(i) + "/x\r\n2\r\n");
    auto lesson = std::make_unique<LessonEntries>();
    const LessonLoad result = load(*lesson);
    QCOMPARE(result.result, LessonLoadResult::Loaded);
    QCOMPARE(result.title, QStringLiteral("T5000"));
}

void TestHostileLessons::unreadableFolderIsNoLessons()
{
    if (PermissionsDoNotApply())
        QSKIP("root reads through any permission");
    WriteFile(m_dir->filePath(QStringLiteral("a.txt")), "A/x\r\n");
    QFile::setPermissions(m_dir->path(), QFile::WriteOwner);
    auto lesson = std::make_unique<LessonEntries>();
    QCOMPARE(load(*lesson).result, LessonLoadResult::NoLessons);
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestHostileLessons::lessonsFolderThatIsAFileIsNoLessons()
{
    const QString notAFolder = m_dir->filePath(QStringLiteral("lessons"));
    WriteFile(notAFolder, "A/x\r\n");
    auto lesson = std::make_unique<LessonEntries>();
    ScriptedRandom random;
    QCOMPARE(LoadLessonFile(*lesson, notAFolder, random, {}).result, LessonLoadResult::NoLessons);
}

QTEST_GUILESS_MAIN(TestHostileLessons)
#include "tst_hostilelessons.moc"

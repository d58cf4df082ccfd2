#include "lessons/lessonchoice.h"
#include "lessons/lessonfolder.h"
#include "lessons/lessonloader.h"
#include "support/scriptedrandom.h"
#include "support/testenvironment.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

class TestLessonLoader : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void randomNumberPicksFileByName_data();
    void randomNumberPicksFileByName();
    void onlyOrdinaryFilesAreLessons();
    void missingOrEmptyFolderLeavesLessonInMemory_data();
    void missingOrEmptyFolderLeavesLessonInMemory();
    void stopBetweenLinesKeepsWhatWasStored();
    void eventsGetTheirTurnAfterEveryLine();
    void lessonWithCzechNameAndBlanksLoads();
    void choiceSpansBothFolders_data();
    void choiceSpansBothFolders();
    void userFolderFollowsXdgDataHome();
    void windows1250FileNameLoads();
    void changedFoldersAreListedAgain();

private:
    QByteArray lessonBytes(const char* title, int entries);
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<LessonEntries> m_lesson;
};

void TestLessonLoader::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_lesson = std::make_unique<LessonEntries>();
}

void TestLessonLoader::cleanup()
{
    m_dir.reset();
    m_lesson.reset();
}

QByteArray TestLessonLoader::lessonBytes(const char* title, int entries)
{
    QByteArray bytes = QByteArray(title) + "/x\r\nabout\r\n";
    for (int i = 0; i < entries; ++i)
        bytes += "w" + QByteArray::number(i) + "\r\n[p]\r\nnoun\r\nslovo\r\nnote\r\nA.|B.\r\n--\r\n";
    return bytes;
}

void TestLessonLoader::randomNumberPicksFileByName_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("title");
    QTest::newRow("zero picks the first by name") << 0.0f << QStringLiteral("A");
    QTest::newRow("a half of four picks the third") << 0.5f << QStringLiteral("C");
    QTest::newRow("just below one picks the last") << 0.99999994f << QStringLiteral("D");
}

void TestLessonLoader::randomNumberPicksFileByName()
{
    QFETCH(float, r);
    for (const char* name : {"d.txt", "b.txt", "a.txt", "c.txt"})
        WriteFile(m_dir->filePath(QString::fromLatin1(name)), lessonBytes(QByteArray(name).left(1).toUpper().constData(), 2));
    ScriptedRandom random({r});
    const LessonLoad load = LoadLessonFile(*m_lesson, m_dir->path(), random, {});
    QCOMPARE(load.result, LessonLoadResult::Loaded);
    QTEST(load.title, "title");
    QCOMPARE(m_lesson->WordCount, qint16(2));
    QCOMPARE(random.log, QStringLiteral("SN"));
}

void TestLessonLoader::onlyOrdinaryFilesAreLessons()
{
    WriteFile(m_dir->filePath(QStringLiteral(".hidden")), lessonBytes("Hidden", 1));
    WriteFile(m_dir->filePath(QStringLiteral("sub/inner.txt")), lessonBytes("Inner", 1));
    WriteFile(m_dir->filePath(QStringLiteral("only.txt")), lessonBytes("Only", 3));
    for (float r : {0.0f, 0.4f, 0.9f}) {
        ScriptedRandom random({r});
        QCOMPARE(LoadLessonFile(*m_lesson, m_dir->path(), random, {}).title, QStringLiteral("Only"));
    }
}

void TestLessonLoader::missingOrEmptyFolderLeavesLessonInMemory_data()
{
    QTest::addColumn<bool>("folderExists");
    QTest::newRow("missing folder") << false;
    QTest::newRow("empty folder") << true;
}

void TestLessonLoader::missingOrEmptyFolderLeavesLessonInMemory()
{
    QFETCH(bool, folderExists);
    WriteFile(m_dir->filePath(QStringLiteral("a.txt")), lessonBytes("A", 3));
    ScriptedRandom random;
    QCOMPARE(LoadLessonFile(*m_lesson, m_dir->path(), random, {}).result, LessonLoadResult::Loaded);

    const QString other = m_dir->filePath(QStringLiteral("other"));
    if (folderExists)
        QVERIFY(QDir().mkpath(other));
    QCOMPARE(LoadLessonFile(*m_lesson, other, random, {}).result, LessonLoadResult::NoLessons);
    QCOMPARE(m_lesson->WordCount, qint16(3));
}

void TestLessonLoader::stopBetweenLinesKeepsWhatWasStored()
{
    WriteFile(m_dir->filePath(QStringLiteral("a.txt")), lessonBytes("A", 5));
    ScriptedRandom random;
    int lines = 0;
    // Stop right after the terminator of the second entry (2 header lines + 2 x 7).
    const LessonLoad load = LoadLessonFile(*m_lesson, m_dir->path(), random, [&] { return ++lines < 16; });
    QCOMPARE(load.result, LessonLoadResult::Interrupted);
    QCOMPARE(m_lesson->WordCount, qint16(2));
}

void TestLessonLoader::eventsGetTheirTurnAfterEveryLine()
{
    WriteFile(m_dir->filePath(QStringLiteral("a.txt")), lessonBytes("A", 4));
    ScriptedRandom random;
    int calls = 0;
    QVector<int> countSeen;
    LoadLessonFile(*m_lesson, m_dir->path(), random, [&] {
        ++calls;
        countSeen << m_lesson->WordCount;
        return true;
    });
    QCOMPARE(calls, 2 + 4 * 7);
    // A word shown during the load draws from the entries stored so far.
    QCOMPARE(countSeen.at(8), 1);
    QCOMPARE(countSeen.at(15), 2);
}

void TestLessonLoader::lessonWithCzechNameAndBlanksLoads()
{
    WriteFile(m_dir->filePath(QStringLiteral("Zvířata a ptáci (2).txt")), lessonBytes("Zv\xed\xf8""ata", 1));
    ScriptedRandom random;
    const LessonLoad load = LoadLessonFile(*m_lesson, m_dir->path(), random, {});
    QCOMPARE(load.result, LessonLoadResult::Loaded);
    QCOMPARE(load.title, QStringLiteral("Zvířata"));
}

void TestLessonLoader::choiceSpansBothFolders_data()
{
    QTest::addColumn<QString>("programFolder"); // "missing", "empty" or "two lessons"
    QTest::addColumn<QString>("leftOut"); // as stored
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("title");
    const QString two = QStringLiteral("two lessons");
    const QString none;
    // The program's a.txt and b.txt, then the user's a.txt and c.txt: four to choose from.
    QTest::newRow("first of the program's") << two << none << 0.0f << QStringLiteral("Program A");
    QTest::newRow("the user's file of the same name") << two << none << 0.5f << QStringLiteral("User A");
    QTest::newRow("last of the user's") << two << none << 0.99f << QStringLiteral("User C");
    QTest::newRow("program folder missing") << QStringLiteral("missing") << none << 0.99f << QStringLiteral("User C");
    QTest::newRow("program folder empty") << QStringLiteral("empty") << none << 0.0f << QStringLiteral("User A");
    // The pick is among the chosen lessons alone, as it was among all.
    const QString userOnly = QStringLiteral("-pribalena/a.txt|-pribalena/b.txt");
    QTest::newRow("only the user's chosen, first") << two << userOnly << 0.0f << QStringLiteral("User A");
    QTest::newRow("only the user's chosen, last") << two << userOnly << 0.99f << QStringLiteral("User C");
    QTest::newRow("the user's a.txt left out, not the program's")
        << two << QStringLiteral("-vlastni/a.txt") << 0.5f << QStringLiteral("Program B");
    QTest::newRow("all left out picks among all")
        << two << QStringLiteral("-pribalena/a.txt|-pribalena/b.txt|-vlastni/a.txt|-vlastni/c.txt")
        << 0.5f << QStringLiteral("User A");
}

void TestLessonLoader::choiceSpansBothFolders()
{
    QFETCH(QString, programFolder);
    const QString program = m_dir->filePath(QStringLiteral("program"));
    const QString user = m_dir->filePath(QStringLiteral("user"));
    if (programFolder == QLatin1String("empty"))
        QVERIFY(QDir().mkpath(program));
    if (programFolder == QLatin1String("two lessons")) {
        WriteFile(program + QStringLiteral("/b.txt"), lessonBytes("Program B", 1));
        WriteFile(program + QStringLiteral("/a.txt"), lessonBytes("Program A", 1));
    }
    WriteFile(user + QStringLiteral("/c.txt"), lessonBytes("User C", 1));
    WriteFile(user + QStringLiteral("/a.txt"), lessonBytes("User A", 1));
    WriteFile(user + QStringLiteral("/.hidden"), lessonBytes("Hidden", 1));
    QFETCH(QString, leftOut);
    QFETCH(float, r);
    ScriptedRandom random({r});
    ChosenLessonPositions positions(ParseLessonChoice(leftOut), program);
    const auto chosen = [&](const LessonFileList& files) { return positions.In(files); };
    const LessonLoad load = LoadLessonFile(*m_lesson, QStringList{program, user}, random, {}, chosen);
    QCOMPARE(load.result, LessonLoadResult::Loaded);
    QTEST(load.title, "title");
}

void TestLessonLoader::userFolderFollowsXdgDataHome()
{
#ifdef Q_OS_UNIX
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", m_dir->path().toLocal8Bit());
    const QString user = UserLessonsFolder();
    const QStringList folders = LessonFolders(m_dir->filePath(QStringLiteral("app/lessons")));
    // The user's folder given as the program's own is not listed twice.
    const QStringList same = LessonFolders(user + QLatin1Char('/'));
    qputenv("XDG_DATA_HOME", previous);
    QCOMPARE(user, m_dir->filePath(QStringLiteral("vokabo/lessons")));
    QCOMPARE(folders, QStringList({m_dir->filePath(QStringLiteral("app/lessons")), user}));
    QCOMPARE(same.size(), 1);
#else
    QSKIP("XDG_DATA_HOME is a Unix setting");
#endif
}

void TestLessonLoader::windows1250FileNameLoads()
{
#ifdef Q_OS_UNIX
    // "Zvířata.txt" as an old Windows disk stores it: not UTF-8, so Qt cannot name it.
    const QByteArray name = QFile::encodeName(m_dir->path()) + "/Zv\xed\xf8" "ata.txt";
    const QByteArray bytes = lessonBytes("Zv\xed\xf8" "ata", 2);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    ::close(fd);
    ScriptedRandom random;
    const LessonLoad load = LoadLessonFile(*m_lesson, m_dir->path(), random, {});
    QCOMPARE(load.result, LessonLoadResult::Loaded);
    QCOMPARE(load.title, QStringLiteral("Zvířata"));
    QCOMPARE(m_lesson->WordCount, qint16(2));
#else
    QSKIP("file names are UTF-16 on this platform");
#endif
}

// The listing of a folder is kept from one load to the next while the folder is unchanged;
// lessons added or removed while the saver runs are seen at the next load all the same.
void TestLessonLoader::changedFoldersAreListedAgain()
{
    const QStringList folders{m_dir->filePath(QStringLiteral("added")),
                              m_dir->filePath(QStringLiteral("removed")),
                              m_dir->filePath(QStringLiteral("made"))};
    WriteFile(folders[0] + QStringLiteral("/a.txt"), lessonBytes("A", 1));
    WriteFile(folders[1] + QStringLiteral("/a.txt"), lessonBytes("A", 1));
    WriteFile(folders[1] + QStringLiteral("/b.txt"), lessonBytes("B", 1));
    // Older than any time stamp's grain, as the folders of a saver that has run a while.
    QTest::qSleep(2100);
    // The title of each lesson in turn, drawn as if there were `count` of them.
    const auto titles = [&](int count) {
        QStringList found;
        for (int i = 0; i < count; ++i) {
            ScriptedRandom random({(float(i) + 0.5f) / float(count)});
            const LessonLoad load = LoadLessonFile(*m_lesson, folders, random, {});
            found << (load.result == LessonLoadResult::Loaded ? load.title : QString());
        }
        return found;
    };
    QCOMPARE(titles(3),
             QStringList({QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("B")}));

    WriteFile(folders[0] + QStringLiteral("/z.txt"), lessonBytes("Z", 1));
    QVERIFY(QFile::remove(folders[1] + QStringLiteral("/b.txt")));
    WriteFile(folders[2] + QStringLiteral("/m.txt"), lessonBytes("M", 1));
    QCOMPARE(titles(4), QStringList({QStringLiteral("A"), QStringLiteral("Z"), QStringLiteral("A"),
                                     QStringLiteral("M")}));
}

QTEST_GUILESS_MAIN(TestLessonLoader)
#include "tst_lessonloader.moc"

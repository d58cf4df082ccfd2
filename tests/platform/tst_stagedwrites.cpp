#include "platform/stagedwrites.h"

#include <QTemporaryDir>
#include <QtTest>

// A failure while the staged files take their places, after every one was written whole:
// something came to a name between staging and commit.
class TestStagedWrites : public QObject {
    Q_OBJECT
private slots:
    void commitFailure_data();
    void commitFailure();
};

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

void TestStagedWrites::commitFailure_data()
{
    QTest::addColumn<bool>("replace");      // StagedWrites::Existing::Replace, else Keep
    QTest::addColumn<QByteArray>("before"); // the first file before, "(none)" when missing
    QTest::addColumn<QString>("comes");     // what comes to the second name: file or folder
    QTest::addColumn<QByteArray>("after");  // the first file after the failed commit
    QTest::newRow("a file that came stops the new files; the first is taken back")
        << false << QByteArray("(none)") << QStringLiteral("file") << QByteArray("(none)");
    QTest::newRow("a folder in the way; the new first is taken back")
        << true << QByteArray("(none)") << QStringLiteral("folder") << QByteArray("(none)");
    QTest::newRow("a folder in the way; the replaced first stays replaced and is reported")
        << true << QByteArray("old") << QStringLiteral("folder") << QByteArray("new");
}

void TestStagedWrites::commitFailure()
{
    QFETCH(bool, replace);
    QFETCH(QByteArray, before);
    QFETCH(QString, comes);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.txt"));
    const QString second = dir.filePath(QStringLiteral("second.txt"));
    if (before != "(none)")
        writeFile(first, before);
    StagedWrites writes(replace ? StagedWrites::Existing::Replace : StagedWrites::Existing::Keep);
    QVERIFY(writes.Stage(first, "new"));
    QVERIFY(writes.Stage(second, "new"));
    if (comes == QLatin1String("file"))
        writeFile(second, "theirs");
    else
        QVERIFY(QDir().mkdir(second));

    const StagedWrites::Committed committed = writes.Commit();
    QVERIFY(!committed.write);
    QVERIFY(!committed.write.reason.isEmpty());
    QCOMPARE(committed.failedPath, second);
    QCOMPARE(committed.replaced, after == "new" ? QStringList{first} : QStringList());
    QCOMPARE(readAll(first), after);
    if (comes == QLatin1String("file"))
        QCOMPARE(readAll(second), QByteArray("theirs"));
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(QStringLiteral("first.txt"));
    left.removeAll(QStringLiteral("second.txt"));
    QCOMPARE(left, QStringList());
}

QTEST_GUILESS_MAIN(TestStagedWrites)
#include "tst_stagedwrites.moc"

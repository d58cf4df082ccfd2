#include "platform/fileversion.h"
#include "platform/wholefilewrite.h"
#include "support/testenvironment.h"

#include <QTemporaryDir>
#include <QtTest>

class TestWholeFileWrite : public QObject {
    Q_OBJECT
private slots:
    void replacesOnlyTheFileAsRead_data();
    void replacesOnlyTheFileAsRead();
};

void TestWholeFileWrite::replacesOnlyTheFileAsRead_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<bool>("written");
    QTest::newRow("left as it was") << QString() << true;
    // Same bytes, yet another program's save: it may still be writing into the file.
    QTest::newRow("the same bytes saved as a new file in its place")
        << QStringLiteral("replaced") << false;
    QTest::newRow("created where there was none") << QStringLiteral("created") << false;
}

void TestWholeFileWrite::replacesOnlyTheFileAsRead()
{
    QFETCH(QString, meanwhile);
    QFETCH(bool, written);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.ini"));
    const QByteArray old = meanwhile == QLatin1String("created") ? QByteArray() : "a=1\n";
    if (!old.isEmpty())
        WriteFile(path, old);
    const auto asRead = ReadFileVersion(path, 1024);
    QVERIFY(asRead);
    if (meanwhile == QLatin1String("replaced")) {
        WriteFile(path + QStringLiteral(".new"), old);
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(path + QStringLiteral(".new"), path));
    } else if (meanwhile == QLatin1String("created")) {
        WriteFile(path, old);
    }

    const WholeFileWrite write = WriteWholeFileIfUnchanged(path, "a=2\n", *asRead);
    QCOMPARE(bool(write), written);
    QCOMPARE(write.changed, !written);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), written ? QByteArray("a=2\n") : old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_GUILESS_MAIN(TestWholeFileWrite)
#include "tst_wholefilewrite.moc"

#include "idle/autostart.h"
#include "idle/watcherinstance.h"
#include "support/testenvironment.h"

#include <QProcess>
#include <QtTest>

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void init();
    void execArgument_data();
    void execArgument();
    void writeAndRemove();
    void removeLeavesAFolderAlone();
    void stopRunning_data();
    void stopRunning();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestAutostart::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->path()));
}

// What a desktop reads back from the Exec line must be the program's path, byte for byte: a
// space splits it, a "%" is a field code, and the quoting rules escape twice.
void TestAutostart::execArgument_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("exec");
    QTest::newRow("plain path") << QStringLiteral("/usr/bin/vokabo-idle")
                                << QStringLiteral("/usr/bin/vokabo-idle");
    QTest::newRow("space") << QStringLiteral("/home/jan/moje programy/vokabo-idle")
                           << QStringLiteral("\"/home/jan/moje programy/vokabo-idle\"");
    QTest::newRow("percent") << QStringLiteral("/opt/100%/vokabo-idle")
                             << QStringLiteral("/opt/100%%/vokabo-idle");
    QTest::newRow("quote and dollar")
        << QStringLiteral("/tmp/a\"$b") << QStringLiteral("\"/tmp/a\\\\\"\\\\$b\"");
    QTest::newRow("backslash") << QStringLiteral("/tmp/a\\b")
                               << QStringLiteral("\"/tmp/a\\\\\\\\b\"");
    QTest::newRow("Czech letters need no quotes")
        << QStringLiteral("/home/jiří/vokabo-idle") << QStringLiteral("/home/jiří/vokabo-idle");
}

void TestAutostart::execArgument()
{
    QFETCH(QString, argument);
    QFETCH(QString, exec);
    QCOMPARE(Autostart::ExecArgument(argument), exec);
}

void TestAutostart::writeAndRemove()
{
    const QString path = Autostart::EntryPath();
    QCOMPARE(path, m_dir->path() + QStringLiteral("/autostart/vokabo-idle.desktop"));
    QCOMPARE(Autostart::Write(path, QStringLiteral("/usr/bin/vokabo-idle")), QString());
    QSettings entry(path, QSettings::IniFormat);
    QCOMPARE(entry.value(QStringLiteral("Desktop Entry/Exec")).toString(),
             QStringLiteral("/usr/bin/vokabo-idle"));
    QCOMPARE(Autostart::Remove(path), QString());
    QVERIFY(!QFile::exists(path));
    QCOMPARE(Autostart::Remove(path), QString());
}

void TestAutostart::removeLeavesAFolderAlone()
{
    const QString path = Autostart::EntryPath();
    QVERIFY(QDir().mkpath(path));
    QVERIFY(!Autostart::Remove(path).isEmpty());
    QVERIFY(QFileInfo(path).isDir());
}

// "--disable" ends the watcher named beside the lock, and no other process: the number may
// be stale and reused, or the file may hold anything.
void TestAutostart::stopRunning_data()
{
    QTest::addColumn<bool>("lockHeld");
    QTest::addColumn<QString>("pidFile"); // "other": the process id of an unrelated process
    QTest::addColumn<bool>("refused");
    QTest::newRow("lock held, number of an unrelated process")
        << true << QStringLiteral("other") << true;
    QTest::newRow("lock held, no number") << true << QString() << true;
    QTest::newRow("lock held, not a number") << true << QStringLiteral("abc") << true;
    QTest::newRow("lock free, number of an unrelated process")
        << false << QStringLiteral("other") << false;
}

void TestAutostart::stopRunning()
{
    QFETCH(bool, lockHeld);
    QFETCH(QString, pidFile);
    QFETCH(bool, refused);
    const QString folder = m_dir->path();
    const QString lock = folder + QStringLiteral("/vokabo-idle.lock");
    QProcess other;
    if (lockHeld) // flock(1) takes the same kind of lock as the watcher
        other.start(QStringLiteral("flock"), {lock, QStringLiteral("sleep"), QStringLiteral("30")});
    else
        other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(other.waitForStarted());
    QTest::qWait(200);
    WriteFile(folder + QStringLiteral("/vokabo-idle.pid"),
              pidFile == QLatin1String("other") ? QByteArray::number(other.processId())
                                                : pidFile.toUtf8());
    QCOMPARE(!WatcherInstance::StopRunning(folder).isEmpty(), refused);
    QVERIFY(!other.waitForFinished(300));
    other.kill();
    other.waitForFinished();
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"

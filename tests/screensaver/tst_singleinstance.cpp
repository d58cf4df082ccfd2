#include "screensaver/singleinstance.h"
#include "support/testenvironment.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void firstInstanceRunsAndSecondIsRefused();
    void lockLeftByKilledProcessDoesNotBlock();
    void lockIsFreedWhenFirstEnds();
    void lockHeldLongerThanHalfAMinuteStillCounts();
    void unwritableLockFolderStillRuns();
    void leftoverInPlaceOfTheLockDoesNotBlock_data();
    void leftoverInPlaceOfTheLockDoesNotBlock();
    void ownerKilledAtAnyMomentFreesTheLock();
};

void TestSingleInstance::firstInstanceRunsAndSecondIsRefused()
{
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    QVERIFY(!first.PrevInstance());
    SingleInstance second(dir.path());
    QVERIFY(second.PrevInstance());
}

void TestSingleInstance::lockLeftByKilledProcessDoesNotBlock()
{
    QTemporaryDir dir;
    // This test program itself lists its tests and ends: a process that surely exists
    // everywhere, and whose number is then free.
    QProcess finished;
    finished.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-functions")});
    QVERIFY(finished.waitForFinished());
    const qint64 deadPid = finished.processId() ? finished.processId() : 999999;
    QFile lock(dir.path() + QStringLiteral("/vokabo.lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + '\n' + QCoreApplication::applicationName().toUtf8() +
               '\n' + QSysInfo::machineHostName().toUtf8() + '\n');
    lock.close();
    SingleInstance instance(dir.path());
    QVERIFY(!instance.PrevInstance());
}

void TestSingleInstance::lockIsFreedWhenFirstEnds()
{
    QTemporaryDir dir;
    {
        SingleInstance first(dir.path());
    }
    SingleInstance next(dir.path());
    QVERIFY(!next.PrevInstance());
}

void TestSingleInstance::lockHeldLongerThanHalfAMinuteStillCounts()
{
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    // Age the lock file as if the saver had run for an hour.
    QFile lock(dir.path() + QStringLiteral("/vokabo.lock"));
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                             QFileDevice::FileModificationTime));
    lock.close();
    SingleInstance second(dir.path());
    QVERIFY(second.PrevInstance());
}

void TestSingleInstance::unwritableLockFolderStillRuns()
{
    if (PermissionsDoNotApply())
        QSKIP("root writes through any permission");
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    SingleInstance instance(dir.path());
    QVERIFY(!instance.PrevInstance());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestSingleInstance::leftoverInPlaceOfTheLockDoesNotBlock_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<bool>("secondRefused");
    // An empty file is what a kill between creating the lock and writing it leaves.
    QTest::newRow("empty file") << QByteArray("empty") << true;
    QTest::newRow("garbage") << QByteArray("garbage") << true;
    QTest::newRow("unreadable file") << QByteArray("unreadable") << true;
    QTest::newRow("empty folder") << QByteArray("folder") << true;
    QTest::newRow("folder with a file in it") << QByteArray("full folder") << false;
    QTest::newRow("FIFO") << QByteArray("fifo") << true;
    QTest::newRow("link to /dev/zero") << QByteArray("link") << true;
}

void TestSingleInstance::leftoverInPlaceOfTheLockDoesNotBlock()
{
    QFETCH(QByteArray, kind);
    QFETCH(bool, secondRefused);
#ifndef Q_OS_UNIX
    if (kind == "fifo" || kind == "link")
        QSKIP("a Unix file");
#endif
    QTemporaryDir dir;
    const QString lock = dir.path() + QStringLiteral("/vokabo.lock");
    if (kind == "empty" || kind == "garbage" || kind == "unreadable")
        WriteFile(lock, kind == "garbage" ? QByteArray("\xff\x00zz\n-1\n\n\n", 10) : QByteArray());
    if (kind == "unreadable")
        QFile::setPermissions(lock, {});
    if (kind == "folder" || kind == "full folder")
        QVERIFY(QDir().mkdir(lock));
    if (kind == "full folder")
        WriteFile(lock + QStringLiteral("/keep"), "x");
#ifdef Q_OS_UNIX
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
    if (kind == "link")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), lock));
#endif
    SingleInstance first(dir.path());
    QVERIFY(!first.PrevInstance());
    SingleInstance second(dir.path());
    QCOMPARE(second.PrevInstance(), secondRefused);
    if (kind == "full folder")
        QVERIFY(QFile::exists(lock + QStringLiteral("/keep")));
}

void TestSingleInstance::ownerKilledAtAnyMomentFreesTheLock()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    int ready[2];
    QCOMPARE(::pipe(ready), 0);
    const pid_t owner = ::fork();
    QVERIFY(owner >= 0);
    // Whatever this test finds, the owner does not outlive it.
    auto killOwner = qScopeGuard([owner] {
        if (owner > 0 && ::kill(owner, SIGKILL) == 0)
            ::waitpid(owner, nullptr, 0);
    });
    if (owner == 0) {
        SingleInstance instance(dir.path());
        const char held = instance.PrevInstance() ? 'n' : 'y';
        [[maybe_unused]] const auto written = ::write(ready[1], &held, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char held = 0;
    QCOMPARE(::read(ready[0], &held, 1), ssize_t(1));
    ::close(ready[0]);
    QCOMPARE(held, 'y');
    {
        SingleInstance whileOwnerRuns(dir.path());
        QVERIFY(whileOwnerRuns.PrevInstance());
    }
    killOwner.dismiss();
    QCOMPARE(::kill(owner, SIGKILL), 0);
    QCOMPARE(::waitpid(owner, nullptr, 0), owner);
    SingleInstance next(dir.path());
    QVERIFY(!next.PrevInstance());
#else
    QSKIP("needs fork");
#endif
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

#include "screensaver/singleinstance.h"
#include "support/testenvironment.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void firstInstanceRunsAndSecondIsRefused();
    void lockLeftByKilledProcessDoesNotBlock();
    void lockIsFreedWhenFirstEnds();
    void lockHeldLongerThanHalfAMinuteStillCounts();
    void unwritableLockFolderStillRuns();
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
    QProcess finished;
    finished.start(QStringLiteral("true"));
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
    { SingleInstance first(dir.path()); }
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
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
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

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

#include "lessons/lessonfolder.h"
#include "settings/settingsfile.h"

#include <QTemporaryDir>
#include <QtTest>

class TestUserFolders : public QObject {
    Q_OBJECT
private slots:
    void relativeXdgFolderIsIgnored_data();
    void relativeXdgFolderIsIgnored();
};

void TestUserFolders::relativeXdgFolderIsIgnored_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QString>("underHome");
    QTest::newRow("settings file")
        << QByteArray("XDG_CONFIG_HOME") << QStringLiteral("/.config/VKB_S.ini");
    QTest::newRow("user's lessons")
        << QByteArray("XDG_DATA_HOME") << QStringLiteral("/.local/share/vokabo/lessons");
}

// A relative folder would be a different one for each folder the program is started from.
void TestUserFolders::relativeXdgFolderIsIgnored()
{
#ifdef Q_OS_UNIX
    QFETCH(QByteArray, variable);
    QFETCH(QString, underHome);
    const QTemporaryDir home;
    const QByteArray previousHome = qgetenv("HOME");
    const bool wasSet = qEnvironmentVariableIsSet(variable.constData());
    const QByteArray previous = qgetenv(variable.constData());
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv(variable.constData(), "relative/folder");
    const QString path = variable == "XDG_CONFIG_HOME" ? SettingsFilePath(QStringLiteral("VKB_S"))
                                                       : UserLessonsFolder();
    qputenv("HOME", previousHome);
    if (wasSet)
        qputenv(variable.constData(), previous);
    else
        qunsetenv(variable.constData());
    QCOMPARE(path, home.path() + underHome);
#else
    QSKIP("the XDG folders are a Unix matter");
#endif
}

QTEST_GUILESS_MAIN(TestUserFolders)
#include "tst_userfolders.moc"

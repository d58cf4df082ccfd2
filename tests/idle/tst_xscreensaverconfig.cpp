#include "idle/xscreensaverconfig.h"
#include "support/testenvironment.h"

#include <QtTest>

class TestXscreensaverConfig : public QObject {
    Q_OBJECT
private slots:
    void withVokabo_data();
    void withVokabo();
    void chooseKeepsTheFileAsItWas();
};

// The lines that choose Vokabo, as they come out of an empty file.
static const QByteArray Chosen = "mode:\t\tone\n"
                                 "selected:\t\t0\n"
                                 "programs:\t\"Vokabo\"  vokabo -root\n";

void TestXscreensaverConfig::withVokabo_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("no file yet") << QByteArray() << Chosen;
    QTest::newRow("chosen already: nothing changes") << Chosen << Chosen;
    QTest::newRow("as xscreensaver's settings write it: comments and order kept")
        << QByteArray("# XScreenSaver Preferences File\n"
                      "timeout:\t0:10:00\n"
                      "mode:\t\trandom\n"
                      "selected:\t-1\n"
                      "\n"
                      "programs:\t\t\t\t\t\t\t      \\\n"
                      "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
                      "  GL: \t\t\t\tsuperquadrics -root\t\t\t    \\n\\\n"
                      "-\t\t\t\tattraction -root\t\t\t    \\n\\\n"
                      "\n"
                      "\n"
                      "pointerHysteresis:\t10\n")
        << QByteArray("# XScreenSaver Preferences File\n"
                      "timeout:\t0:10:00\n"
                      "mode:\t\tone\n"
                      "selected:\t\t0\n"
                      "\n"
                      "programs:\t\t\t\t\t\t\t      \\\n"
                      "\t\t\t\t\"Vokabo\"  vokabo -root\t\\n\\\n"
                      "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
                      "  GL: \t\t\t\tsuperquadrics -root\t\t\t    \\n\\\n"
                      "-\t\t\t\tattraction -root\t\t\t    \\n\\\n"
                      "\n"
                      "\n"
                      "pointerHysteresis:\t10\n");
    QTest::newRow("a disabled Vokabo is enabled where it stands")
        << QByteArray("programs:\t\\\n"
                      "\t\tmaze -root\t\\n\\\n"
                      "-\t\t\"Vokabo\" vokabo -root\t\\n\\\n"
                      "\t\tdeco -root\t\\n\\\n")
        << QByteArray("mode:\t\tone\n"
                      "selected:\t\t1\n"
                      "programs:\t\\\n"
                      "\t\tmaze -root\t\\n\\\n"
                      " \t\t\"Vokabo\" vokabo -root\t\\n\\\n"
                      "\t\tdeco -root\t\\n\\\n");
    QTest::newRow("a list on one line keeps its program after Vokabo")
        << QByteArray("programs: maze -root\nlock: False\n")
        << QByteArray("mode:\t\tone\n"
                      "selected:\t\t0\n"
                      "programs:\t\\\n"
                      "\t\t\t\t\"Vokabo\"  vokabo -root\t\\n\\\n"
                      "\t\t\t\tmaze -root\n"
                      "lock: False\n");
    QTest::newRow("the saver by its full path counts")
        << QByteArray("programs:\tmaze -root \\n\\\n\t/usr/bin/vokabo -root\n")
        << QByteArray("mode:\t\tone\nselected:\t\t1\n"
                      "programs:\tmaze -root \\n\\\n\t/usr/bin/vokabo -root\n");
    QTest::newRow("a name that only begins like the saver's does not")
        << QByteArray("programs:\tvokabo-lekce -root\n")
        << QByteArray("mode:\t\tone\nselected:\t\t0\n"
                      "programs:\t\\\n\t\t\t\t\"Vokabo\"  vokabo -root\t\\n\\\n"
                      "\t\t\t\tvokabo-lekce -root\n");
}

void TestXscreensaverConfig::withVokabo()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QCOMPARE(XScreensaverConfig::WithVokabo(before), after);
    // Run again, it finds nothing more to do.
    QCOMPARE(XScreensaverConfig::WithVokabo(after), after);
}

void TestXscreensaverConfig::chooseKeepsTheFileAsItWas()
{
    QTemporaryDir home;
    const QString path = home.path() + QStringLiteral("/.xscreensaver");
    const QByteArray original = "# mine\nmode:\t\trandom\nprograms:\tmaze -root\n";
    WriteFile(path, original);
    WriteFile(path + QStringLiteral(".bak"), "an older backup");

    auto outcome = XScreensaverConfig::ChooseVokabo(path);
    QCOMPARE(outcome.error, QString());
    QVERIFY(outcome.changed);
    QCOMPARE(outcome.backup, path + QStringLiteral(".bak.1"));
    QFile backup(outcome.backup);
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), original);
    QFile older(path + QStringLiteral(".bak"));
    QVERIFY(older.open(QIODevice::ReadOnly));
    QCOMPARE(older.readAll(), QByteArray("an older backup"));

    outcome = XScreensaverConfig::ChooseVokabo(path);
    QVERIFY(!outcome.changed);
    QVERIFY(outcome.backup.isEmpty());
    QVERIFY(!QFile::exists(path + QStringLiteral(".bak.2")));
}

QTEST_GUILESS_MAIN(TestXscreensaverConfig)
#include "tst_xscreensaverconfig.moc"

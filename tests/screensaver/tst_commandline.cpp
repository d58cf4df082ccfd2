#include "screensaver/commandline.h"

#include <QtTest>

Q_DECLARE_METATYPE(LaunchMode)

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void dispatch_data();
    void dispatch();
    void argumentStringKeepsBlanks();
    void informationRequest_data();
    void informationRequest();
    void xscreensaverWindow_data();
    void xscreensaverWindow();
};

void TestCommandLine::dispatch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<LaunchMode>("mode");
    const auto args = [](std::initializer_list<const char*> list) {
        QStringList result{QStringLiteral("vokabo")};
        for (const char* a : list)
            result << QString::fromUtf8(a);
        return result;
    };
    QTest::newRow("/s runs the saver") << args({"/s"}) << LaunchMode::Saver;
    QTest::newRow("/S folds to lower case") << args({"/S"}) << LaunchMode::Saver;
    QTest::newRow("/s with more after it") << args({"/s", "x"}) << LaunchMode::Saver;
    QTest::newRow("nothing runs the saver") << args({}) << LaunchMode::Saver;
    QTest::newRow("/c opens the settings") << args({"/c"}) << LaunchMode::Settings;
    QTest::newRow("/C opens the settings") << args({"/C"}) << LaunchMode::Settings;
    QTest::newRow("/c with parent window") << args({"/c:1234"}) << LaunchMode::Settings;
    QTest::newRow("preview ends") << args({"/p", "1234"}) << LaunchMode::End;
    QTest::newRow("password ends") << args({"/a", "1"}) << LaunchMode::End;
    QTest::newRow("unknown switch ends") << args({"/x"}) << LaunchMode::End;
    QTest::newRow("blank before the switch ends") << args({" /s"}) << LaunchMode::End;
    QTest::newRow("character before the switch ends") << args({"x/s"}) << LaunchMode::End;
    QTest::newRow("empty argument is a blank-free empty string") << args({""}) << LaunchMode::Saver;
    QTest::newRow("two empty arguments make a blank") << args({"", ""}) << LaunchMode::End;
    QTest::newRow("slash alone ends") << args({"/"}) << LaunchMode::End;
}

void TestCommandLine::dispatch()
{
    QFETCH(QStringList, arguments);
    QFETCH(LaunchMode, mode);
    QCOMPARE(DispatchCommandLine(ArgumentString(arguments)), mode);
}

void TestCommandLine::argumentStringKeepsBlanks()
{
    QCOMPARE(ArgumentString({QStringLiteral("p"), QStringLiteral(" /s "), QStringLiteral("1")}),
             QStringLiteral(" /s  1"));
}

void TestCommandLine::informationRequest_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("opening"); // empty: no answer, the dispatch decides as before
    const auto args = [](std::initializer_list<const char*> list) {
        QStringList result{QStringLiteral("vokabo")};
        for (const char* a : list)
            result << QString::fromUtf8(a);
        return result;
    };
    const QString usage = QStringLiteral("Použití: vokabo [/s | /c]\n");
    QTest::newRow("--help") << args({"--help"}) << usage;
    QTest::newRow("-h") << args({"-h"}) << usage;
    QTest::newRow("--version") << args({"--version"}) << QStringLiteral("vokabo 0.9.0\n");
    QTest::newRow("--help with more after it") << args({"--help", "x"}) << QString();
    QTest::newRow("--version with more after it") << args({"--version", "/s"}) << QString();
    QTest::newRow("capital --HELP") << args({"--HELP"}) << QString();
    QTest::newRow("/s") << args({"/s"}) << QString();
    QTest::newRow("nothing") << args({}) << QString();
}

void TestCommandLine::informationRequest()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, opening);
    const auto answer = InformationRequest(ArgumentString(arguments));
    QCOMPARE(answer.has_value(), !opening.isEmpty());
    if (answer)
        QVERIFY2(answer->startsWith(opening), qPrintable(*answer));
}

void TestCommandLine::xscreensaverWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<qulonglong>("window");
    const QString hex = QStringLiteral("0x2a00007");
    const auto args = [](std::initializer_list<const char*> list) {
        QStringList result{QStringLiteral("vokabo")};
        for (const char* a : list)
            result << QString::fromUtf8(a);
        return result;
    };
    QTest::newRow("-root draws into the variable's window") << args({"-root"}) << hex << qulonglong(0x2a00007);
    QTest::newRow("--root") << args({"--root"}) << hex << qulonglong(0x2a00007);
    QTest::newRow("-window-id takes its own id") << args({"-window-id", "0x1234"}) << hex << qulonglong(0x1234);
    QTest::newRow("--window-id in decimal") << args({"--window-id", "4660"}) << hex << qulonglong(4660);
    QTest::newRow("decimal variable") << args({"-root"}) << QStringLiteral("44040199") << qulonglong(44040199);
    QTest::newRow("-root without the variable is refused as before") << args({"-root"}) << QString() << qulonglong(0);
    QTest::newRow("/s inside an xscreensaver session is the user's own start") << args({"/s"}) << hex << qulonglong(0);
    QTest::newRow("nothing inside an xscreensaver session") << args({}) << hex << qulonglong(0);
    QTest::newRow("-window-id without an id") << args({"-window-id"}) << hex << qulonglong(0);
    QTest::newRow("-window-id with a word") << args({"-window-id", "abc"}) << hex << qulonglong(0);
    QTest::newRow("-root twice") << args({"-root", "-root"}) << hex << qulonglong(0x2a00007);
    QTest::newRow("-root with more after it") << args({"-root", "-fps"}) << hex << qulonglong(0);
    QTest::newRow("variable that is no number") << args({"-root"}) << QStringLiteral("x") << qulonglong(0);
}

void TestCommandLine::xscreensaverWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, environment);
    QFETCH(qulonglong, window);
    QCOMPARE(qulonglong(XScreensaverWindow(arguments, environment)), window);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"

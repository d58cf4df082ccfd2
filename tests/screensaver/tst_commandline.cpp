#include "screensaver/commandline.h"

#include <QtTest>

Q_DECLARE_METATYPE(LaunchMode)

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void dispatch_data();
    void dispatch();
    void argumentStringKeepsBlanks();
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

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"

#include "idle/idleoptions.h"

#include <QtTest>

using Mode = IdleOptions::Mode;
Q_DECLARE_METATYPE(Mode)

class TestIdleOptions : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void TestIdleOptions::parse_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<qint64>("afterMs"); // -1: the stored time applies

    const auto row = [](const char* name, const char* arguments, Mode mode, qint64 after = -1) {
        QTest::newRow(name) << QString::fromUtf8(arguments) << mode << after;
    };
    row("nothing watches with the stored time", "", Mode::Watch);
    row("--after seconds", "--after 5", Mode::Watch, 5000);
    row("--after=seconds", "--after=90", Mode::Watch, 90000);
    row("the longest idle time", "--after 599940", Mode::Watch, 599940000);
    row("--after zero", "--after 0", Mode::Refused);
    row("--after negative", "--after -5", Mode::Refused);
    row("--after a word", "--after pět", Mode::Refused);
    row("--after a fraction", "--after 1,5", Mode::Refused);
    row("--after beyond the longest", "--after 599941", Mode::Refused);
    row("--after without a number", "--after", Mode::Refused);
    row("--after takes no option for its number", "--after --enable", Mode::Refused);
    row("--enable", "--enable", Mode::Enable);
    row("--disable", "--disable", Mode::Disable);
    row("--enable twice is still --enable", "--enable --enable", Mode::Enable);
    row("--enable and --disable together", "--enable --disable", Mode::Refused);
    row("--after with --enable", "--enable --after 5", Mode::Refused);
    row("--help", "--help", Mode::Help);
    row("an unknown option", "--verbose", Mode::Refused);
    row("a saver switch", "/s", Mode::Refused);
    row("--xscreensaver", "--xscreensaver", Mode::Xscreensaver);
    row("--after with --xscreensaver", "--xscreensaver --after 5", Mode::Refused);
}

void TestIdleOptions::parse()
{
    QFETCH(QString, arguments);
    QFETCH(Mode, mode);
    QFETCH(qint64, afterMs);
    const IdleOptions options =
        ParseIdleOptions(arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    QCOMPARE(options.mode, mode);
    QCOMPARE(options.after ? options.after->count() : -1, afterMs);
    // A refusal says so in one line; everything else has nothing to say.
    QCOMPARE(!options.error.isEmpty(), mode == Mode::Refused);
    QVERIFY(!options.error.contains(QLatin1Char('\n')));
}

QTEST_GUILESS_MAIN(TestIdleOptions)
#include "tst_idleoptions.moc"

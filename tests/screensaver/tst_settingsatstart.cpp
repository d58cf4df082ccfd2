#include "screensaver/settingsatstart.h"
#include "settings/keys.h"
#include "support/testenvironment.h"

#include <QtTest>
#include <memory>

class TestSettingsAtStart : public QObject {
    Q_OBJECT
private slots:
    void init() { m_settings = std::make_unique<TemporarySettings>(); }
    void cleanup() { m_settings.reset(); }

    void firstRunWritesAndUsesDefaults();
    void unusableFirstDelayResetsEverySetting();
    void storedValues_data();
    void storedValues();
    void colours_data();
    void colours();
    void readingChangesNothingStored();
    void hostileStore_data();
    void hostileStore();
    void storeThatCannotBeWrittenStillStarts();
    void missingConfigFolderIsMade();

private:
    std::unique_ptr<TemporarySettings> m_settings;
};

namespace {

const QStringList Valid{QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("0"), QStringLiteral("2"),
                        QStringLiteral("255"), QStringLiteral("65280"), QStringLiteral("16711680"),
                        QStringLiteral("/tmp/pic.jpg")};

} // namespace

void TestSettingsAtStart::firstRunWritesAndUsesDefaults()
{
    SaverVariables vars;
    const StartAppearance appearance = ReadSettingsAtStart(vars);
    QCOMPARE(vars.FirstDelay, qint16(3));
    QCOMPARE(vars.SecondDelay, qint16(3));
    QCOMPARE(vars.CzechFirst, VbTrue);
    QCOMPARE(vars.PlacementMode, qint16(0));
    QCOMPARE(vars.ShadowOffset, qint16(20));
    QCOMPARE(appearance.background, std::optional<quint32>(0));
    QCOMPARE(appearance.text, std::optional<quint32>(0xFFFFFF));
    QCOMPARE(appearance.shadow, std::optional<quint32>(0xE0E0E0));
    QCOMPARE(appearance.picturePath, QString());
    QCOMPARE(m_settings->Stored(QStringLiteral("bstinu")), QStringLiteral("14737632"));
}

void TestSettingsAtStart::unusableFirstDelayResetsEverySetting()
{
    m_settings->StoreAll(Valid);
    m_settings->Store(QStringLiteral("nprvni"), QStringLiteral("tři"));
    SaverVariables vars;
    const StartAppearance appearance = ReadSettingsAtStart(vars);
    QCOMPARE(vars.FirstDelay, qint16(3));
    QCOMPARE(vars.SecondDelay, qint16(3));
    QCOMPARE(vars.PlacementMode, qint16(0));
    QCOMPARE(appearance.background, std::optional<quint32>(0));
    QCOMPARE(m_settings->Stored(QStringLiteral("obr")), QString());
}

void TestSettingsAtStart::storedValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<bool>("czechFirst");
    QTest::addColumn<int>("placement");

    QTest::newRow("all valid") << QString() << QString() << 5 << 6 << false << 2;
    QTest::newRow("second delay a word keeps 3") << QStringLiteral("ndruhy") << QStringLiteral("x") << 5 << 3 << false << 2;
    QTest::newRow("second delay empty keeps 3") << QStringLiteral("ndruhy") << QString() << 5 << 3 << false << 2;
    QTest::newRow("first delay two and a half") << QStringLiteral("nprvni") << QStringLiteral("2,5") << 2 << 6 << false << 2;
    QTest::newRow("first delay three and a half") << QStringLiteral("nprvni") << QStringLiteral("3.5") << 4 << 6 << false << 2;
    QTest::newRow("first delay minus one") << QStringLiteral("nprvni") << QStringLiteral("-1") << -1 << 6 << false << 2;
    QTest::newRow("first delay with blanks") << QStringLiteral("nprvni") << QStringLiteral(" 7 ") << 7 << 6 << false << 2;
    QTest::newRow("first delay beyond 16 bits") << QStringLiteral("nprvni") << QStringLiteral("40000") << 32767 << 6 << false << 2;
    QTest::newRow("second delay below 16 bits") << QStringLiteral("ndruhy") << QStringLiteral("-32769") << 5 << -32768 << false << 2;
    QTest::newRow("Czech first exactly 1") << QStringLiteral("prvnicesky") << QStringLiteral("1") << 5 << 6 << true << 2;
    QTest::newRow("Czech first with blank") << QStringLiteral("prvnicesky") << QStringLiteral(" 1") << 5 << 6 << false << 2;
    QTest::newRow("Czech first minus one") << QStringLiteral("prvnicesky") << QStringLiteral("-1") << 5 << 6 << false << 2;
    QTest::newRow("Czech first empty") << QStringLiteral("prvnicesky") << QString() << 5 << 6 << false << 2;
    QTest::newRow("placement 4") << QStringLiteral("pozice") << QStringLiteral("4") << 5 << 6 << false << 4;
    QTest::newRow("placement 5") << QStringLiteral("pozice") << QStringLiteral("5") << 5 << 6 << false << 0;
    QTest::newRow("placement leading zero") << QStringLiteral("pozice") << QStringLiteral("01") << 5 << 6 << false << 0;
    QTest::newRow("placement blank") << QStringLiteral("pozice") << QStringLiteral(" 1") << 5 << 6 << false << 0;
    QTest::newRow("placement empty") << QStringLiteral("pozice") << QString() << 5 << 6 << false << 0;
    QTest::newRow("placement minus") << QStringLiteral("pozice") << QStringLiteral("-1") << 5 << 6 << false << 0;
}

void TestSettingsAtStart::storedValues()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    m_settings->StoreAll(Valid);
    if (!key.isEmpty())
        m_settings->Store(key, text);
    SaverVariables vars;
    ReadSettingsAtStart(vars);
    QTEST(int(vars.FirstDelay), "first");
    QTEST(int(vars.SecondDelay), "second");
    QTEST(vars.CzechFirst == VbTrue, "czechFirst");
    QTEST(int(vars.PlacementMode), "placement");
    QCOMPARE(m_settings->Stored(QStringLiteral("bpozadi")), QStringLiteral("255")); // nothing reset
}

void TestSettingsAtStart::colours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("usable");
    QTest::newRow("red") << QStringLiteral("255") << true;
    QTest::newRow("system colour") << QStringLiteral("-2147483643") << true;
    QTest::newRow("word") << QStringLiteral("abc") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("beyond 32 bits") << QStringLiteral("99999999999") << false;
}

void TestSettingsAtStart::colours()
{
    QFETCH(QString, text);
    m_settings->StoreAll(Valid);
    m_settings->Store(QStringLiteral("btextu"), text);
    SaverVariables vars;
    const StartAppearance appearance = ReadSettingsAtStart(vars);
    QTEST(appearance.text.has_value(), "usable");
    QCOMPARE(appearance.background, std::optional<quint32>(255));
    QCOMPARE(m_settings->Stored(QStringLiteral("btextu")), text); // an unusable colour is not rewritten
}

void TestSettingsAtStart::readingChangesNothingStored()
{
    m_settings->StoreAll(Valid);
    SaverVariables vars;
    vars.WordTick = 9;
    vars.MouseMoveCount = 7;
    const StartAppearance appearance = ReadSettingsAtStart(vars);
    QCOMPARE(vars.WordTick, qint16(0));
    QCOMPARE(vars.MouseMoveCount, quint8(7));
    QCOMPARE(appearance.picturePath, QStringLiteral("/tmp/pic.jpg"));
    for (int i = 0; i < Valid.size(); ++i)
        QCOMPARE(m_settings->Stored(QString(SettingsKeys::Defaults[i].key)), Valid[i]);
}

void TestSettingsAtStart::hostileStore_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("first");
    QByteArray garbage(4096, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 131) & 0xFF);
    QTest::newRow("not an INI file") << garbage << 3;
    QTest::newRow("megabyte values") << "[nastaveni]\nnprvni=" + QByteArray(1 << 20, '7') + "\nobr=" + QByteArray(1 << 20, 'p') + "\n" << 32767;
    QTest::newRow("exponent is no number") << QByteArray("[nastaveni]\nnprvni=1e9\n") << 3;
    QTest::newRow("quoted value") << QByteArray("[nastaveni]\nnprvni=\"5\"\n") << 5;
}

void TestSettingsAtStart::hostileStore()
{
    QFETCH(QByteArray, file);
    WriteFile(m_settings->FilePath(), file);
    SaverVariables vars;
    ReadSettingsAtStart(vars);
    QTEST(int(vars.FirstDelay), "first");
}

void TestSettingsAtStart::storeThatCannotBeWrittenStillStarts()
{
    // A configuration "folder" that is a file cannot be written, whoever runs the test.
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("file"));
    WriteFile(notAFolder, "x");
    qputenv("XDG_CONFIG_HOME", notAFolder.toLocal8Bit());
    SaverVariables vars;
    const StartAppearance appearance = ReadSettingsAtStart(vars);
    QCOMPARE(vars.FirstDelay, qint16(3));
    QCOMPARE(vars.CzechFirst, VbFalse); // nothing could be stored, so nothing reads as "1"
    QVERIFY(!appearance.background);
}

void TestSettingsAtStart::missingConfigFolderIsMade()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("not/yet/there"));
    qputenv("XDG_CONFIG_HOME", missing.toLocal8Bit());
    SaverVariables vars;
    ReadSettingsAtStart(vars);
    QVERIFY(QFile::exists(missing + QStringLiteral("/VKB_S.ini")));
    QCOMPARE(vars.CzechFirst, VbTrue);
}

QTEST_GUILESS_MAIN(TestSettingsAtStart)
#include "tst_settingsatstart.moc"

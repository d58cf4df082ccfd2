#include "screensaver/settingsatstart.h"
#include "settings/keys.h"
#include "support/testenvironment.h"

#include <QtTest>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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
    void storeThatCannotBeWrittenRunsWithDefaults_data();
    void storeThatCannotBeWrittenRunsWithDefaults();
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
    QTest::addColumn<quint32>("colour");
    const quint32 white = 0xFFFFFF; // the first-run default, not the design's black
    QTest::newRow("red") << QStringLiteral("255") << quint32(255);
    QTest::newRow("system colour") << QStringLiteral("-2147483643") << quint32(0x80000005);
    QTest::newRow("word") << QStringLiteral("abc") << white;
    QTest::newRow("empty") << QString() << white;
    QTest::newRow("beyond 32 bits") << QStringLiteral("99999999999") << white;
    QTest::newRow("top byte names nothing") << QStringLiteral("16777216") << white;
    QTest::newRow("no such system colour") << QStringLiteral("-2147483617") << white;
}

void TestSettingsAtStart::colours()
{
    QFETCH(QString, text);
    m_settings->StoreAll(Valid);
    m_settings->Store(QStringLiteral("btextu"), text);
    SaverVariables vars;
    const StartAppearance appearance = ReadSettingsAtStart(vars);
    QTEST(appearance.text.value_or(0), "colour");
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
    if (m_settings->FilePath().isEmpty())
        QSKIP("the store is no file here");
    QFETCH(QByteArray, file);
    WriteFile(m_settings->FilePath(), file);
    SaverVariables vars;
    ReadSettingsAtStart(vars);
    QTEST(int(vars.FirstDelay), "first");
}

void TestSettingsAtStart::storeThatCannotBeWrittenRunsWithDefaults_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("configuration folder is a file") << QStringLiteral("folder is a file");
    QTest::newRow("settings file is a FIFO") << QStringLiteral("fifo");
    QTest::newRow("read-only file, first delay a word") << QStringLiteral("read-only");
}

// The first delay asks for the defaults, the store refuses them: the run uses them anyway,
// so a kiosk profile does not show the design's colours, and nothing stored changes.
void TestSettingsAtStart::storeThatCannotBeWrittenRunsWithDefaults()
{
    if (m_settings->FilePath().isEmpty())
        QSKIP("the store is no file here");
    QFETCH(QString, kind);
    const QByteArray file = "[nastaveni]\nnprvni=abc\nndruhy=9\nprvnicesky=0\npozice=2\nbpozadi=255\n"
                            "btextu=abc\nbstinu=255\nobr=/tmp/x.jpg\n";
    QTemporaryDir dir;
    if (kind == QLatin1String("folder is a file")) {
        const QString notAFolder = dir.filePath(QStringLiteral("file"));
        WriteFile(notAFolder, "x");
        qputenv("XDG_CONFIG_HOME", notAFolder.toLocal8Bit());
    } else if (kind == QLatin1String("fifo")) {
#ifdef Q_OS_UNIX
        QCOMPARE(mkfifo(QFile::encodeName(m_settings->FilePath()).constData(), 0600), 0);
#else
        QSKIP("FIFOs are a Unix matter");
#endif
    } else {
        WriteFile(m_settings->FilePath(), file);
        QFile::setPermissions(m_settings->FilePath(), QFile::ReadOwner);
    }
    const bool defaults = AsUnprivilegedUser({m_settings->Folder()}, [] {
        SaverVariables vars;
        const StartAppearance appearance = ReadSettingsAtStart(vars);
        return vars.FirstDelay == 3 && vars.SecondDelay == 3 && vars.CzechFirst == VbTrue &&
               vars.PlacementMode == 0 && appearance.background == std::optional<quint32>(0) &&
               appearance.text == std::optional<quint32>(0xFFFFFF) &&
               appearance.shadow == std::optional<quint32>(0xE0E0E0) && appearance.picturePath.isEmpty();
    });
    QVERIFY(defaults);
    if (kind == QLatin1String("read-only"))
        QCOMPARE(m_settings->FileBytes(), file);
    if (kind == QLatin1String("fifo"))
        QVERIFY(!QFileInfo(m_settings->FilePath()).isFile());
}

void TestSettingsAtStart::missingConfigFolderIsMade()
{
    if (m_settings->FilePath().isEmpty())
        QSKIP("the store is no file here");
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

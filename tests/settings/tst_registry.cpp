#include "settings/Module1.h"
#include "settings/keys.h"
#include "settings/registry.h"
#include "support/testenvironment.h"

#include <QFile>
#include <QtTest>
#include <memory>

class TestRegistry : public QObject {
    Q_OBJECT
private slots:
    void init() { m_settings = std::make_unique<TemporarySettings>(); }
    void cleanup() { m_settings.reset(); }

    void savedValueReadsBackAfterRestart_data();
    void savedValueReadsBackAfterRestart();
    void absentKeyReadsAsEmptyText();
    void deletedKeyReadsAsEmptyAndOthersStay();
    void everyReadSeesAnotherWriter();
    void valueWithCommaEditedByHandReadsWhole();
    void storeIsTheIniFileInTheConfigFolder();
    void defaultsAreWrittenInOrderWithExactTexts();
    void defaultsOverwriteEveryKey();
    void unwritableStoreFailsWithoutCrashing();

private:
    std::unique_ptr<TemporarySettings> m_settings;
};

namespace {

registry openRegistry()
{
    registry reg;
    OpenSettingsSection(reg);
    return reg;
}

} // namespace

void TestRegistry::savedValueReadsBackAfterRestart_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("number") << QStringLiteral("3");
    QTest::newRow("negative colour") << QStringLiteral("-2147483643");
    QTest::newRow("empty text") << QString();
    QTest::newRow("path with blanks and Czech letters") << QStringLiteral("/home/jana/Obrázky/léto u moře.jpg");
    QTest::newRow("text starting with @") << QStringLiteral("@String(x)");
    QTest::newRow("text with comma") << QStringLiteral("2,5");
    QTest::newRow("blanks around") << QStringLiteral(" 1 ");
}

void TestRegistry::savedValueReadsBackAfterRestart()
{
    QFETCH(QString, value);
    {
        registry writer = openRegistry();
        writer.setKey(QStringLiteral("obr"));
        writer.setSetting(value);
        QVERIFY(writer.RegSave());
    }
    registry reader = openRegistry();
    reader.setKey(QStringLiteral("obr"));
    QVERIFY(reader.RegGet());
    QCOMPARE(reader.Setting(), value);
}

void TestRegistry::absentKeyReadsAsEmptyText()
{
    registry reg = openRegistry();
    reg.setSetting(QStringLiteral("left over"));
    reg.setKey(QStringLiteral("nprvni"));
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QString());
}

void TestRegistry::deletedKeyReadsAsEmptyAndOthersStay()
{
    QVERIFY(WriteDefaultSettings());
    registry reg = openRegistry();
    reg.setKey(QStringLiteral("ndruhy"));
    QVERIFY(reg.RegDel());
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QString());
    QVERIFY(!m_settings->Has(QStringLiteral("ndruhy")));
    QCOMPARE(m_settings->Stored(QStringLiteral("nprvni")), QStringLiteral("3"));
}

void TestRegistry::everyReadSeesAnotherWriter()
{
    registry reg = openRegistry();
    reg.setKey(QStringLiteral("nprvni"));
    reg.setSetting(QStringLiteral("5"));
    QVERIFY(reg.RegSave());
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QStringLiteral("5"));

    // Another process rewrites the file behind our back.
    QTest::qWait(1100); // file times may have a resolution of one second
    WriteFile(m_settings->FilePath(), "[nastaveni]\nnprvni=9\n");
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QStringLiteral("9"));
}

void TestRegistry::valueWithCommaEditedByHandReadsWhole()
{
    WriteFile(m_settings->FilePath(), "[nastaveni]\nndruhy=2,5\n");
    registry reg = openRegistry();
    reg.setKey(QStringLiteral("ndruhy"));
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QStringLiteral("2,5"));
}

void TestRegistry::storeIsTheIniFileInTheConfigFolder()
{
    QVERIFY(WriteDefaultSettings());
    QCOMPARE(m_settings->FilePath(), m_settings->Folder() + QStringLiteral("/VKB_S.ini"));
    QFile file(m_settings->FilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.startsWith("[nastaveni]"));
    QVERIFY(text.contains("btextu=16777215"));
}

void TestRegistry::defaultsAreWrittenInOrderWithExactTexts()
{
    QVERIFY(WriteDefaultSettings());
    const QStringList expected{QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("1"),
                               QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("16777215"),
                               QStringLiteral("14737632"), QString()};
    const QStringList keys{QStringLiteral("nprvni"), QStringLiteral("ndruhy"), QStringLiteral("prvnicesky"),
                           QStringLiteral("pozice"), QStringLiteral("bpozadi"), QStringLiteral("btextu"),
                           QStringLiteral("bstinu"), QStringLiteral("obr")};
    for (int i = 0; i < keys.size(); ++i) {
        QCOMPARE(QString(SettingsKeys::Defaults[i].key), keys[i]);
        QVERIFY2(m_settings->Has(keys[i]), qPrintable(keys[i]));
        QCOMPARE(m_settings->Stored(keys[i]), expected[i]);
    }
}

void TestRegistry::defaultsOverwriteEveryKey()
{
    m_settings->StoreAll({QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("0"), QStringLiteral("3"),
                          QStringLiteral("255"), QStringLiteral("0"), QStringLiteral("0"),
                          QStringLiteral("/tmp/a.jpg")});
    QVERIFY(WriteDefaultSettings());
    QCOMPARE(m_settings->Stored(QStringLiteral("pozice")), QStringLiteral("0"));
    QCOMPARE(m_settings->Stored(QStringLiteral("bpozadi")), QStringLiteral("0"));
    QCOMPARE(m_settings->Stored(QStringLiteral("obr")), QString());
}

void TestRegistry::unwritableStoreFailsWithoutCrashing()
{
    if (PermissionsDoNotApply())
        QSKIP("root writes through any permission");
    QFile::setPermissions(m_settings->Folder(), QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(!WriteDefaultSettings());
    registry reg = openRegistry();
    reg.setKey(QStringLiteral("nprvni"));
    reg.RegGet();
    QCOMPARE(reg.Setting(), QString());
    QFile::setPermissions(m_settings->Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"

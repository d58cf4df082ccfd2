#include "settings/Module1.h"
#include "settings/keys.h"
#include "settings/registry.h"
#include "support/testenvironment.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <cstdio>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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
    void refusedStore_data();
    void refusedStore();
    void storeThatIsNoFile_data();
    void storeThatIsNoFile();
    void handEditedFile_data();
    void handEditedFile();
    void valueNotInUtf8KeepsItsBytes();

private:
    std::unique_ptr<TemporarySettings> m_settings;
};

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
    QTest::newRow("quotes, backslash, semicolon") << QStringLiteral("say \"hi\" \\ now; later");
    QTest::newRow("control character before a hex digit") << QStringLiteral("a\x01" "b\tc");
    QTest::newRow("two leading @") << QStringLiteral("@@x");
    QTest::newRow("equals sign") << QStringLiteral("a=b");
}

void TestRegistry::savedValueReadsBackAfterRestart()
{
    QFETCH(QString, value);
    {
        registry writer = OpenedSettingsSection();
        writer.setKey(QStringLiteral("obr"));
        writer.setSetting(value);
        QVERIFY(writer.RegSave());
    }
    registry reader = OpenedSettingsSection();
    reader.setKey(QStringLiteral("obr"));
    QVERIFY(reader.RegGet());
    QCOMPARE(reader.Setting(), value);

    // Earlier versions of the program read the store the same.
    QCOMPARE(m_settings->StoredByEarlierVersions(QStringLiteral("obr")), value);
}

void TestRegistry::absentKeyReadsAsEmptyText()
{
    registry reg = OpenedSettingsSection();
    reg.setSetting(QStringLiteral("left over"));
    reg.setKey(QStringLiteral("nprvni"));
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QString());
}

void TestRegistry::deletedKeyReadsAsEmptyAndOthersStay()
{
    QVERIFY(WriteDefaultSettings());
    registry reg = OpenedSettingsSection();
    reg.setKey(QStringLiteral("ndruhy"));
    QVERIFY(reg.RegDel());
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QString());
    QVERIFY(!m_settings->Has(QStringLiteral("ndruhy")));
    QCOMPARE(m_settings->Stored(QStringLiteral("nprvni")), QStringLiteral("3"));
}

void TestRegistry::everyReadSeesAnotherWriter()
{
    registry reg = OpenedSettingsSection();
    reg.setKey(QStringLiteral("nprvni"));
    reg.setSetting(QStringLiteral("5"));
    QVERIFY(reg.RegSave());
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QStringLiteral("5"));

    // Another process rewrites the store behind our back, within the same second.
    m_settings->Store(QStringLiteral("nprvni"), QStringLiteral("9"));
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QStringLiteral("9"));
}

void TestRegistry::valueWithCommaEditedByHandReadsWhole()
{
    if (m_settings->FilePath().isEmpty())
        QSKIP("the store is no file here");
    WriteFile(m_settings->FilePath(), "[nastaveni]\nndruhy=2,5\n");
    registry reg = OpenedSettingsSection();
    reg.setKey(QStringLiteral("ndruhy"));
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QStringLiteral("2,5"));
}

void TestRegistry::storeIsTheIniFileInTheConfigFolder()
{
    if (m_settings->FilePath().isEmpty())
        QSKIP("the store is no file here");
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

void TestRegistry::refusedStore_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("filePermissions");
    QTest::addColumn<bool>("readable");
    // Folder permissions: read and enter, not write.
    QTest::newRow("read-only folder, no file yet") << QByteArray() << 0 << true;
    QTest::newRow("read-only file") << QByteArray("[nastaveni]\nnprvni=8\n") << int(QFile::ReadOwner) << true;
    QTest::newRow("unreadable file") << QByteArray("[nastaveni]\nnprvni=8\n") << 0 << false;
    // Written in place it would be emptied first, and a full disk would leave nothing of it.
    QTest::newRow("writable file in a read-only folder")
        << QByteArray("[nastaveni]\nnprvni=8\n") << int(QFile::ReadOwner | QFile::WriteOwner) << true;
}

void TestRegistry::refusedStore()
{
    if (m_settings->FilePath().isEmpty())
        QSKIP("the store is no file here");
    QFETCH(QByteArray, file);
    QFETCH(int, filePermissions);
    QFETCH(bool, readable);
    const QString path = m_settings->FilePath();
    if (!file.isEmpty()) {
        WriteFile(path, file);
        QFile::setPermissions(path, QFile::Permissions(filePermissions));
    }
    QFile::setPermissions(m_settings->Folder(), QFile::ReadOwner | QFile::ExeOwner);
    const bool refused = AsUnprivilegedUser({m_settings->Folder()}, [&] {
        registry reg = OpenedSettingsSection();
        reg.setKey(QStringLiteral("nprvni"));
        const bool read = reg.RegGet();
        const QString value = reg.Setting();
        const bool defaultsWritten = WriteDefaultSettings();
        reg.setSetting(QStringLiteral("9"));
        const bool saved = reg.RegSave();
        const bool deleted = reg.RegDel();
        if (read != readable || defaultsWritten || saved || (!file.isEmpty() && deleted)) {
            std::fprintf(stderr, "read %d, defaults written %d, saved %d, deleted %d\n", read,
                         defaultsWritten, saved, deleted);
            return false;
        }
        return value == (readable && !file.isEmpty() ? QStringLiteral("8") : QString());
    });
    QFile::setPermissions(m_settings->Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(refused);
    QCOMPARE(m_settings->FileBytes(), file);
}

void TestRegistry::storeThatIsNoFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO without a writer") << QStringLiteral("fifo");
    QTest::newRow("link to a FIFO") << QStringLiteral("link");
    QTest::newRow("folder") << QStringLiteral("folder");
    // Writing through it would create a file wherever it points.
    QTest::newRow("link that leads nowhere") << QStringLiteral("dangling");
}

void TestRegistry::storeThatIsNoFile()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, kind);
    const QString path = m_settings->FilePath();
    const QString fifo = kind == QLatin1String("link") ? m_settings->Folder() + QStringLiteral("/pipe") : path;
    const bool linked = kind == QLatin1String("link") || kind == QLatin1String("dangling");
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (kind == QLatin1String("dangling"))
        QVERIFY(QFile::link(m_settings->Folder() + QStringLiteral("/elsewhere/VKB_S.ini"), path));
    else
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(fifo, path));

    registry reg = OpenedSettingsSection();
    reg.setKey(QStringLiteral("nprvni"));
    QVERIFY(!reg.RegGet());
    QCOMPARE(reg.Setting(), QString());
    QVERIFY(!WriteDefaultSettings());
    QVERIFY(!reg.RegDel());
    const QFileInfo after(path);
    QCOMPARE(after.isDir(), kind == QLatin1String("folder"));
    QCOMPARE(after.isSymLink(), linked);
    QVERIFY(!after.isFile());
#else
    QSKIP("FIFOs are a Unix matter");
#endif
}

void TestRegistry::handEditedFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("comment line before the group") << QByteArray("# moje\n[nastaveni]\nnprvni=8\n") << QStringLiteral("nprvni") << QStringLiteral("8");
    QTest::newRow("semicolon comment in the group") << QByteArray("[nastaveni]\n; x\nnprvni=8\n") << QStringLiteral("nprvni") << QStringLiteral("8");
    QTest::newRow("line without equals sign") << QByteArray("[nastaveni]\nsmeti\nnprvni=8\n") << QStringLiteral("nprvni") << QStringLiteral("8");
    QTest::newRow("header without bracket") << QByteArray("[nastaveni\nnprvni=8\n") << QStringLiteral("nprvni") << QStringLiteral("8");
    QTest::newRow("byte order mark, CR LF") << QByteArray("\xEF\xBB\xBF[nastaveni]\r\nnprvni=8\r\nobr=/a.jpg\r\n") << QStringLiteral("obr") << QStringLiteral("/a.jpg");
    QTest::newRow("upper-case key") << QByteArray("[nastaveni]\nNPRVNI=8\n") << QStringLiteral("nprvni") << QStringLiteral("8");
    QTest::newRow("upper-case group") << QByteArray("[NASTAVENI]\nnprvni=8\n") << QStringLiteral("nprvni") << QStringLiteral("8");
    QTest::newRow("CR line ends") << QByteArray("[nastaveni]\rnprvni=8\r") << QStringLiteral("nprvni") << QStringLiteral("8");
    QTest::newRow("no line end at the end") << QByteArray("[nastaveni]\nnprvni=8") << QStringLiteral("nprvni") << QStringLiteral("8");
    QTest::newRow("later key wins") << QByteArray("[nastaveni]\nnprvni=7\nNPRVNI=8\n") << QStringLiteral("nprvni") << QStringLiteral("8");
    QTest::newRow("other groups") << QByteArray("[General]\nnprvni=1\n[nastaveni]\nnprvni=8\n[jine]\nnprvni=9\n") << QStringLiteral("nprvni") << QStringLiteral("8");
    QTest::newRow("quoted by an earlier version") << QByteArray("[nastaveni]\nndruhy=\"2,5\"\n") << QStringLiteral("ndruhy") << QStringLiteral("2,5");
    QTest::newRow("path with a blank") << QByteArray("[nastaveni]\nobr=/home/x/a b.jpg\n") << QStringLiteral("obr") << QStringLiteral("/home/x/a b.jpg");
    QTest::newRow("empty typed value") << QByteArray("[nastaveni]\nobr=@Invalid()\n") << QStringLiteral("obr") << QStringLiteral("");
}

// Whatever the file looks like, reading changes nothing, writing a value back unchanged
// changes nothing, and writing one key keeps every line that is not that key's.
void TestRegistry::handEditedFile()
{
    if (m_settings->FilePath().isEmpty())
        QSKIP("the store is no file here");
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, value);
    WriteFile(m_settings->FilePath(), file);
    registry reg = OpenedSettingsSection();
    reg.setKey(key);
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), value);
    QVERIFY(reg.RegSave());
    QCOMPARE(m_settings->FileBytes(), file);

    registry other = OpenedSettingsSection();
    other.setKey(QStringLiteral("pozice"));
    other.setSetting(QStringLiteral("2"));
    QVERIFY(other.RegSave());
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), value);
    QVERIFY(other.RegGet());
    QCOMPARE(other.Setting(), QStringLiteral("2"));
    const QByteArray written = m_settings->FileBytes();
    QVERIFY(written.startsWith(file.left(3)));
    for (const QByteArray& line : file.split('\n'))
        QVERIFY2(written.contains(line), line.constData());

    reg.setSetting(QStringLiteral("5"));
    QVERIFY(reg.RegSave());
    QVERIFY(reg.RegGet());
    QCOMPARE(reg.Setting(), QStringLiteral("5"));
    QCOMPARE(m_settings->FileBytes().count("5"), 1); // replaced, not written beside the old key
}

void TestRegistry::valueNotInUtf8KeepsItsBytes()
{
    if (m_settings->FilePath().isEmpty())
        QSKIP("the store is no file here");
    const QByteArray windows1250 = "/home/jana/Obr\xE1zky/l\xE9to \x9Akola.jpg";
    WriteFile(m_settings->FilePath(), "[nastaveni]\nobr=" + windows1250 + "\n");
    registry reg = OpenedSettingsSection();
    reg.setKey(QStringLiteral("obr"));
    QVERIFY(reg.RegGet());
    QVERIFY(!reg.Setting().contains(QChar::ReplacementCharacter));
    // As the dialog does: read the path, and write what it shows back into a fresh file.
    QFile::remove(m_settings->FilePath());
    QVERIFY(reg.RegSave());
    QCOMPARE(m_settings->FileBytes(), "[nastaveni]\nobr=" + windows1250 + "\n");
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"

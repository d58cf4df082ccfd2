#include "settings/Module1.h"
#include "settings/registry.h"
#include "settings/settingsbatch.h"
#include "settings/settingsfile.h"
#include "support/testenvironment.h"

#include <chrono>
#include <memory>
#include <QFile>
#include <QtTest>
#include <semaphore>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

// The settings file under the store: whatever way the program writes it, a save of the user's
// or of another program is never lost, and a failed write leaves the old file whole.
class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void init() { m_settings = std::make_unique<TemporarySettings>(); }
    void cleanup() { m_settings.reset(); }

    void fullDiskKeepsTheOldFile();
    void editorSavingMeanwhileKeepsItsSave_data();
    void editorSavingMeanwhileKeepsItsSave();
    void fileChangedBeforeTheWriteIsReadAgain();

private:
    std::unique_ptr<TemporarySettings> m_settings;
};

namespace {

const QByteArray UserFile = "; my own colours\r\n[nastaveni]\r\nnprvni=7\r\nndruhy=9\r\n"
                            "bpozadi=255\r\n[jine]\r\nx=1\r\n";
const QByteArray EditedFile = "; edited by hand\r\n[nastaveni]\r\nnprvni=5\r\nndruhy=9\r\n"
                              "bpozadi=255\r\n[jine]\r\nx=2\r\n";

// Each way the program writes the store, by its name in the tables below.
bool writeStore(const QString& way)
{
    if (way == QLatin1String("one key")) {
        registry reg = OpenedSettingsSection();
        reg.setKey(QStringLiteral("obr"));
        reg.setSetting(QStringLiteral("/home/jana/Obrázky/léto.jpg"));
        return reg.RegSave();
    }
    if (way == QLatin1String("several keys at once")) {
        SettingsBatch batch(QStringLiteral("VKB_S"), QStringLiteral("nastaveni"));
        batch.Set(QStringLiteral("ndruhy"), QStringLiteral("4"));
        batch.Set(QStringLiteral("obr"), QStringLiteral("/home/jana/Obrázky/léto.jpg"));
        return batch.Save() == SettingsBatch::Result::Saved;
    }
    return WriteDefaultSettingsAtFirstRun() != FirstRunDefaults::Failed;
}

void makeOld(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                         QFileDevice::FileModificationTime);
}

} // namespace

// Every step of a save is checked: the new file is whole before it replaces the old one.
void TestSettingsFile::fullDiskKeepsTheOldFile()
{
    const SmallFileSystem disk(64);
    if (disk.Path().isEmpty())
        QSKIP("mounting a small file system needs root");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(disk.Path()));
    const QString path = SettingsFilePath(QStringLiteral("VKB_S"));
    WriteFile(path, UserFile);
    disk.Fill();
    const bool written = writeStore(QStringLiteral("one key"));
    QFile stored(path);
    const QByteArray after = stored.open(QIODevice::ReadOnly) ? stored.readAll() : QByteArray();
    const QStringList left = QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_settings->Folder()));
    QVERIFY(!written);
    QCOMPARE(after, UserFile);
    // Nothing half-written is left behind to take the room.
    QCOMPARE(left.size(), 2);
}

void TestSettingsFile::editorSavingMeanwhileKeepsItsSave_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QStringList>("expected"); // key=value lines the file must hold afterwards
    QTest::newRow("first-run defaults are not written over it")
        << QStringLiteral("first-run defaults") << QStringList{QStringLiteral("nprvni=5")};
    QTest::newRow("one key is written into it")
        << QStringLiteral("one key")
        << QStringList{QStringLiteral("nprvni=5"),
                       QStringLiteral("obr=/home/jana/Obrázky/léto.jpg")};
    QTest::newRow("several keys are written into it")
        << QStringLiteral("several keys at once")
        << QStringList{QStringLiteral("nprvni=5"), QStringLiteral("ndruhy=4"),
                       QStringLiteral("obr=/home/jana/Obrázky/léto.jpg")};
}

// An editor that saves in place empties the file, and writes it a moment later into the file
// it holds open. A write that replaced the empty file meanwhile would lose that save.
void TestSettingsFile::editorSavingMeanwhileKeepsItsSave()
{
    QFETCH(QString, way);
    QFETCH(QStringList, expected);
    const QString path = m_settings->FilePath();
    WriteFile(path, UserFile);
    std::binary_semaphore emptied(0);
    std::thread editor([&] {
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_TRUNC);
        emptied.release();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        [[maybe_unused]] const ssize_t written =
            ::write(fd, EditedFile.constData(), size_t(EditedFile.size()));
        ::close(fd);
    });
    emptied.acquire();
    const bool stored = writeStore(way);
    editor.join();
    QVERIFY(stored);
    const QByteArray after = m_settings->FileBytes();
    QVERIFY2(after.startsWith("; edited by hand\r\n") && after.contains("\r\n[jine]\r\nx=2\r\n"),
             after.constData());
    for (const QString& line : expected)
        QVERIFY2(after.contains(line.toUtf8() + "\r\n"), qPrintable(line));
}

// Another program's save between the reading of the file and the writing of the change is
// not replaced: the file is read again and the change made on what it holds now.
void TestSettingsFile::fileChangedBeforeTheWriteIsReadAgain()
{
    const QString path = m_settings->FilePath();
    WriteFile(path, UserFile);
    makeOld(path);
    int calls = 0;
    const bool stored = UpdateSettingsFile(path, [&](IniDocument& document) {
        if (++calls == 1)
            WriteFile(path, EditedFile);
        return document.SetValue(QStringLiteral("nastaveni"), QStringLiteral("ndruhy"),
                                 QStringLiteral("4"));
    });
    QVERIFY(stored);
    QVERIFY(calls >= 2);
    QByteArray expected = EditedFile;
    expected.replace("ndruhy=9", "ndruhy=4");
    QCOMPARE(m_settings->FileBytes(), expected);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"

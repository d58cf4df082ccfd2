#include "dialog/controls.h"
#include "dialog/frmnastaveni.h"
#include "dialog/updown.h"
#include "fakedialogs.h"
#include "screensaver/program.h"
#include "support/testenvironment.h"
#include "widgets/image.h"
#include "widgets/platformcolours.h"

#include <fcntl.h>
#include <memory>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr quint32 DesignSwatch = SystemColour::WindowBackground;

const QStringList Keys{QStringLiteral("nprvni"),     QStringLiteral("ndruhy"),
                       QStringLiteral("prvnicesky"), QStringLiteral("pozice"),
                       QStringLiteral("bpozadi"),    QStringLiteral("btextu"),
                       QStringLiteral("bstinu"),     QStringLiteral("obr")};
const QStringList Defaults{QStringLiteral("3"),        QStringLiteral("3"),
                           QStringLiteral("1"),        QStringLiteral("0"),
                           QStringLiteral("0"),        QStringLiteral("16777215"),
                           QStringLiteral("14737632"), QString()};

QColor colour(quint32 number)
{
    return *ColourFromNumber(number);
}

// A lesson of the given title line and number of entries.
QByteArray LessonBytes(const QByteArray& titleLine, int entries)
{
    QByteArray bytes = titleLine + "\r\nLekce\r\n";
    for (int i = 0; i < entries; ++i)
        bytes += "dog\r\n[dog]\r\nnoun\r\npes\r\nnote\r\nA.|B.\r\n--\r\n";
    return bytes;
}

// Writes a file by the bytes of its name, which need not be UTF-8.
void WriteNative(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != ssize_t(bytes.size()))
        qFatal("cannot write %s", path.constData());
    ::close(fd);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a control paints behind its caption.
QColor backColourOf(QWidget* widget)
{
    return widget->grab().toImage().pixelColor(1, 1);
}

} // namespace

class TestFrmNastaveni : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init();
    void cleanup();

    void loadShowsStoredSettings_data();
    void loadShowsStoredSettings();
    void loadShowsStoredPicture_data();
    void loadShowsStoredPicture();
    void okStoresEveryKey_data();
    void okStoresEveryKey();
    void okStoresTypedDelay_data();
    void okStoresTypedDelay();
    void saveThatFailsStaysOpenAndSaysSo_data();
    void saveThatFailsStaysOpenAndSaysSo();
    void closingWithoutOkStoresNothing_data();
    void closingWithoutOkStoresNothing();
    void defaultsButtonRestoresDefaultsAndKeepsReturn();
    void detailsSetting_data();
    void detailsSetting();
    void pageOptionsShowTheirPage_data();
    void pageOptionsShowTheirPage();
    void editsSurvivePageChanges();
    void colourChooser_data();
    void colourChooser();
    void pictureChooser_data();
    void pictureChooser();
    void longPathShowsItsFileName_data();
    void longPathShowsItsFileName();
    void arrowsStepTheirBox_data();
    void arrowsStepTheirBox();
    void enterAndEscape_data();
    void enterAndEscape();
    void lessonPageShowsBothFolders_data();
    void lessonPageShowsBothFolders();
    void okStoresTheLessonChoice_data();
    void okStoresTheLessonChoice();
    void pictureChooserStartsNearThePicture_data();
    void pictureChooserStartsNearThePicture();
    void tabOrder_data();
    void tabOrder();
    void everyCaptionFits();

private:
    frmnastaveni* open();
    template <class T = QWidget> T* control(const char* name) const
    {
        T* found = m_dialog->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    void click(const char* name)
    {
        QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton);
    }
    void type(const char* box, const QString& text);
    QStringList stored() const;
    QString writeJpeg(const QString& name, QSize size) const;
    QString fileNamed(const QString& name) const { return m_files->filePath(name); }
    void writeLessons();
    QStringList lessonRows() const;
    void toggleLesson(const QString& caption);

    std::unique_ptr<TemporarySettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_files;
    QByteArray m_previousDataHome;
    QByteArray m_previousHome;
    FakeDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
    QPointer<frmnastaveni> m_dialog;
};

void TestFrmNastaveni::init()
{
    m_settings = std::make_unique<TemporarySettings>();
    m_files = std::make_unique<QTemporaryDir>();
    // The user's own lessons folder lies inside the test's folder, which stands for the
    // one beside the program.
    m_previousDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(fileNamed(QStringLiteral("data"))));
    m_previousHome = qgetenv("HOME");
    m_dialogs = FakeDialogs();
    m_program = std::make_unique<Program>(
        Program::Options{QStringLiteral("/c"), false, m_files->path(), &m_dialogs});
}

void TestFrmNastaveni::cleanup()
{
    if (m_dialog) {
        m_dialog->Vsporici = false;
        m_dialog->close();
    }
    QTRY_VERIFY(!m_dialog);
    m_program.reset();
    qputenv("XDG_DATA_HOME", m_previousDataHome);
    qputenv("HOME", m_previousHome);
    m_files.reset();
    m_settings.reset();
}

frmnastaveni* TestFrmNastaveni::open()
{
    m_dialog = m_program->ShowSettingsDialog();
    return m_dialog;
}

void TestFrmNastaveni::type(const char* box, const QString& text)
{
    auto* edit = control<QLineEdit>(box);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QStringList TestFrmNastaveni::stored() const
{
    QStringList values;
    for (const QString& key : Keys)
        values << m_settings->Stored(key);
    return values;
}

QString TestFrmNastaveni::writeJpeg(const QString& name, QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = fileNamed(name);
    if (!image.save(path, "JPG"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestFrmNastaveni::loadShowsStoredSettings_data()
{
    QTest::addColumn<QStringList>("store");
    QTest::addColumn<QStringList>("storeAfterLoad");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("czechFirst");
    QTest::addColumn<QList<quint32>>("swatches");

    const QList<quint32> defaultSwatches{0x000000, 0xFFFFFF, 0xE0E0E0};
    QTest::newRow("empty store gets and shows the defaults")
        << QStringList() << Defaults << u"3"_s << u"3"_s << true << defaultSwatches;
    const QStringList custom{u"5"_s,   u" 12 "_s,  u"0"_s,           u"2"_s,
                             u"255"_s, u"65280"_s, u"-2147483643"_s, u"/nikde/léto.jpg"_s};
    QTest::newRow("stored values, a system colour among them")
        << custom << custom << u"5"_s << u" 12 "_s << false
        << QList<quint32>{0xFF, 0xFF00, DesignSwatch};
    QTest::newRow("first delay a word resets everything and the box shows the default")
        << QStringList{u"pět"_s, u"7"_s, u"0"_s, u"3"_s, u"255"_s, u"255"_s, u"255"_s, u"/a.jpg"_s}
        << Defaults << u"3"_s << u"3"_s << true << defaultSwatches;
    const QStringList badSecond{u"4"_s, u"x"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u""_s};
    QTest::newRow("second delay a word leaves its box")
        << badSecond << badSecond << u"4"_s << u"1"_s << true << QList<quint32>{0, 0, 0};
    const QStringList minusOne{u"4"_s, u"4"_s, u"-1"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u""_s};
    QTest::newRow("anything but exactly 1 is English first")
        << minusOne << minusOne << u"4"_s << u"4"_s << false << QList<quint32>{0, 0, 0};
    const QStringList badColours{u"4"_s, u"4"_s,      u"1"_s,         u"0"_s,
                                 u""_s,  u"zelená"_s, u"305419896"_s, u""_s};
    QTest::newRow("empty, worded or impossible colours show the first-run defaults")
        << badColours << badColours << u"4"_s << u"4"_s << true << defaultSwatches;
}

void TestFrmNastaveni::loadShowsStoredSettings()
{
    QFETCH(QStringList, store);
    QFETCH(QStringList, storeAfterLoad);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, czechFirst);
    QFETCH(QList<quint32>, swatches);
    m_settings->StoreAll(store);

    open();
    QCOMPARE(stored(), storeAfterLoad);
    QCOMPARE(control<QLineEdit>("txtprvni")->text(), first);
    QCOMPARE(control<QLineEdit>("txtdruhy")->text(), second);
    QCOMPARE(control<QRadioButton>("Option1")->isChecked(), czechFirst);
    QCOMPARE(control<QRadioButton>("Option1")->text(), u"Nejdřív česky"_s);
    QCOMPARE(control<QRadioButton>("Option2")->isChecked(), !czechFirst);
    QCOMPARE(control<ColourSwatch>("lblpozadi")->BackColorNumber(), swatches[0]);
    QCOMPARE(control<ColourSwatch>("lbltext")->BackColorNumber(), swatches[1]);
    QCOMPARE(control<ColourSwatch>("lblstin")->BackColorNumber(), swatches[2]);
    // The preview follows the swatches, except where a colour failed to load and it keeps
    // its own design colours.
    const bool backLoaded = swatches[0] != DesignSwatch;
    QCOMPARE(backColourOf(control("lblprevpoz")), colour(backLoaded ? swatches[0] : 0x8000000F));
    const bool textLoaded = swatches[1] != DesignSwatch;
    QCOMPARE(control<Label>("lblprevtext")->ForeColor(),
             colour(textLoaded ? swatches[1] : SystemColour::ButtonText));
    QCOMPARE(control<Label>("lblcestaobr")->Caption(), storeAfterLoad[7]);
    QCOMPARE(control<Label>("lblverze")->Caption(), QStringLiteral("verze: 0.9.0"));
    QVERIFY(!m_dialog->Vsporici);
}

void TestFrmNastaveni::loadShowsStoredPicture_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("shown");
    QTest::newRow("a jpeg") << u"wide.jpg"_s << true;
    QTest::newRow("no such file") << u"missing.jpg"_s << false;
    QTest::newRow("a text file named like a jpeg") << u"text.jpg"_s << false;
    QTest::newRow("no picture") << u""_s << false;
}

void TestFrmNastaveni::loadShowsStoredPicture()
{
    QFETCH(QString, file);
    QFETCH(bool, shown);
    writeJpeg(QStringLiteral("wide.jpg"), QSize(60, 30));
    WriteFile(fileNamed(QStringLiteral("text.jpg")), "no picture here\n");
    m_settings->StoreAll({u"3"_s, u"3"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s,
                          file.isEmpty() ? QString() : fileNamed(file)});

    open();
    auto* image = control<Image>("Image1");
    QCOMPARE(image->Picture().isNull(), !shown);
    // Stretched over the preview area, whatever its own shape.
    QVERIFY(image->Stretch());
    QCOMPARE(image->geometry(), control("lblprevpoz")->geometry());
    QVERIFY(image->isVisibleTo(control("Picture2")));
}

void TestFrmNastaveni::okStoresEveryKey_data()
{
    QTest::addColumn<QStringList>("store");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("placement becomes 0, the rest is written back")
        << QStringList{u"5"_s,   u"7"_s,     u"0"_s,        u"3"_s,
                       u"255"_s, u"65280"_s, u"14737632"_s, u"/p/léto.jpg"_s}
        << QStringList{u"5"_s,   u"7"_s,     u"0"_s,        u"0"_s,
                       u"255"_s, u"65280"_s, u"14737632"_s, u"/p/léto.jpg"_s};
    QTest::newRow("delays of 0 are written back")
        << QStringList{u"0"_s, u"0"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u""_s}
        << QStringList{u"0"_s, u"0"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u""_s};
    QTest::newRow("an empty colour key stores its first-run default")
        << QStringList{u"3"_s, u"3"_s, u"1"_s, u"4"_s, u""_s, u"-2147483643"_s, u"0"_s, u""_s}
        << QStringList{u"3"_s, u"3"_s, u"1"_s, u"0"_s, u"0"_s, u"-2147483643"_s, u"0"_s, u""_s};
}

void TestFrmNastaveni::okStoresEveryKey()
{
    QFETCH(QStringList, store);
    QFETCH(QStringList, expected);
    m_settings->StoreAll(store);
    open();
    click("cmdOk");
    QCOMPARE(stored(), expected);
    QTRY_VERIFY(!m_dialog);
}

void TestFrmNastaveni::okStoresTypedDelay_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal"); // empty when OK stores the delay
    const QString first = u"V poli „následuje prodleva“ musí být číslo: počet sekund."_s;
    const QString second = u"V poli „Následuje další prodleva“ musí být číslo: počet sekund."_s;
    QTest::newRow("a number") << QByteArray("txtprvni") << u"nprvni"_s << u"12"_s << QString();
    QTest::newRow("beyond the arrows' range")
        << QByteArray("txtprvni") << u"nprvni"_s << u"45"_s << QString();
    QTest::newRow("blanks around a number stay")
        << QByteArray("txtdruhy") << u"ndruhy"_s << u" 8 "_s << QString();
    QTest::newRow("a decimal comma")
        << QByteArray("txtdruhy") << u"ndruhy"_s << u"2,5"_s << QString();
    QTest::newRow("the longest delay")
        << QByteArray("txtprvni") << u"nprvni"_s << u"32767"_s << QString();
    QTest::newRow("a word in the first box")
        << QByteArray("txtprvni") << u"nprvni"_s << u"pet"_s << first;
    QTest::newRow("an empty second box")
        << QByteArray("txtdruhy") << u"ndruhy"_s << u""_s << second;
    // Every number the saver runs is stored as typed.
    QTest::newRow("beyond 16 bits, read as the longest delay")
        << QByteArray("txtprvni") << u"nprvni"_s << u"40000"_s << QString();
    QTest::newRow("no second delay at all")
        << QByteArray("txtdruhy") << u"ndruhy"_s << u"0"_s << QString();
    QTest::newRow("a negative delay")
        << QByteArray("txtprvni") << u"nprvni"_s << u"-3"_s << QString();
    QTest::newRow("half a second with a decimal point")
        << QByteArray("txtprvni") << u"nprvni"_s << u"0.5"_s << QString();
    const QString idle = u"V poli „Spustit po nečinnosti“ musí být počet minut od 1 do 9999."_s;
    QTest::newRow("idle minutes") << QByteArray("txtnecinnost") << u"necinnost"_s << u"12"_s
                                  << QString();
    QTest::newRow("idle minutes with a decimal comma")
        << QByteArray("txtnecinnost") << u"necinnost"_s << u"1,5"_s << QString();
    QTest::newRow("no idle time") << QByteArray("txtnecinnost") << u"necinnost"_s << u"0"_s << idle;
    QTest::newRow("negative idle time")
        << QByteArray("txtnecinnost") << u"necinnost"_s << u"-5"_s << idle;
    QTest::newRow("idle time a word")
        << QByteArray("txtnecinnost") << u"necinnost"_s << u"pet"_s << idle;
}

// A delay OK cannot use is refused from whatever page the user is on: the message names
// the box, the box gets the focus, and nothing is stored.
void TestFrmNastaveni::okStoresTypedDelay()
{
    QFETCH(QByteArray, box);
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    m_settings->StoreAll({u"6"_s, u"7"_s, u"1"_s, u"2"_s, u"0"_s, u"0"_s, u"0"_s, u""_s});
    const QByteArray before = ReadFile(m_settings->FilePath());
    open();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog));
    type(box.constData(), typed);
    click("optVzhled");
    click("cmdOk");
    if (refusal.isEmpty()) {
        QCOMPARE(m_settings->Stored(key), typed);
        QCOMPARE(m_settings->Stored(QStringLiteral("pozice")), QStringLiteral("0"));
        QVERIFY(m_dialogs.failures.isEmpty());
        return;
    }
    QCOMPARE(m_dialogs.failures, QStringList{refusal});
    QCOMPARE(ReadFile(m_settings->FilePath()), before);
    QTest::qWait(10);
    QVERIFY(m_dialog && m_dialog->isVisible());
    QVERIFY(control("Picture1")->isVisible());
    QCOMPARE(QApplication::focusWidget(), control(box.constData()));
}

void TestFrmNastaveni::saveThatFailsStaysOpenAndSaysSo_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::newRow("OK") << QByteArray("cmdOk");
    QTest::newRow("defaults") << QByteArray("cmdpuv");
}

void TestFrmNastaveni::saveThatFailsStaysOpenAndSaysSo()
{
    QFETCH(QByteArray, button);
    open();
    // A folder where the settings file should be: no write can succeed, not even as root.
    QFile::remove(m_settings->FilePath());
    QVERIFY(QDir().mkpath(m_settings->FilePath()));
    click(button.constData());
    QCOMPARE(m_dialogs.failures, QStringList{u"Nastavení se nepodařilo uložit."_s});
    QTest::qWait(10);
    QVERIFY(m_dialog && m_dialog->isVisible());
}

void TestFrmNastaveni::closingWithoutOkStoresNothing_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Storno") << false;
    QTest::newRow("close box") << true;
}

void TestFrmNastaveni::closingWithoutOkStoresNothing()
{
    QFETCH(bool, closeBox);
    m_settings->StoreAll(
        {u"5"_s, u"7"_s, u"0"_s, u"3"_s, u"255"_s, u"65280"_s, u"14737632"_s, u""_s});
    QFile file(m_settings->FilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    open();
    m_dialogs.colourAnswers = {QColor(Qt::blue)};
    click("optVzhled");
    click("cmdpozadi");
    type("txtprvni", QStringLiteral("9"));
    if (closeBox)
        m_dialog->close();
    else
        click("CmdStorno");
    QTRY_VERIFY(!m_dialog);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void TestFrmNastaveni::defaultsButtonRestoresDefaultsAndKeepsReturn()
{
    const QString picture = writeJpeg(QStringLiteral("a.jpg"), QSize(8, 8));
    m_settings->StoreAll({u"5"_s, u"7"_s, u"0"_s, u"3"_s, u"255"_s, u"65280"_s, u"255"_s, picture});
    writeLessons();
    m_settings->Store(u"lekce"_s, u"-pribalena/a.txt"_s);
    m_settings->Store(QStringLiteral("necinnost"), QStringLiteral("60"));
    open();
    m_dialog->Vsporici = true;
    click("optLekce");

    click("cmdpuv");
    QCOMPARE(stored(), Defaults);
    QCOMPARE(m_settings->Stored(u"lekce"_s), QString());
    QVERIFY(lessonRows().first().startsWith(u"x "_s));
    QCOMPARE(control<QLineEdit>("txtnecinnost")->text(), QStringLiteral("5"));
    QCOMPARE(control<QLineEdit>("txtprvni")->text(), QStringLiteral("3"));
    QCOMPARE(control<QLineEdit>("txtdruhy")->text(), QStringLiteral("3"));
    QVERIFY(control<QRadioButton>("Option1")->isChecked());
    QCOMPARE(control<ColourSwatch>("lblpozadi")->BackColorNumber(), 0u);
    QCOMPARE(control<ColourSwatch>("lbltext")->BackColorNumber(), 0xFFFFFFu);
    QCOMPARE(control<ColourSwatch>("lblstin")->BackColorNumber(), 0xE0E0E0u);
    QCOMPARE(control<Label>("lblcestaobr")->Caption(), QString());
    QVERIFY(control<Image>("Image1")->Picture().isNull());
    // Opened from the running saver, the dialog must still bring it back.
    QVERIFY(m_dialog->Vsporici);
    m_dialog->Vsporici = false;
    click("CmdStorno");
    QCOMPARE(stored(), Defaults);
}

void TestFrmNastaveni::detailsSetting_data()
{
    QTest::addColumn<QString>("store"); // null: the key is absent
    QTest::addColumn<QByteArrayList>("clicks");
    QTest::addColumn<bool>("checked"); // the box once the clicks are done
    QTest::addColumn<QString>("afterOk");
    const QString on = u"1"_s;
    const QString off = u"0"_s;
    QTest::newRow("absent shows off") << QString() << QByteArrayList{} << false << off;
    QTest::newRow("1 shows on") << on << QByteArrayList{} << true << on;
    QTest::newRow("anything but exactly 1 is off") << u" 1"_s << QByteArrayList{} << false << off;
    QTest::newRow("checked by the user")
        << QString() << QByteArrayList{"chkvyslovnost"} << true << on;
    QTest::newRow("cleared by the user") << on << QByteArrayList{"chkvyslovnost"} << false << off;
    QTest::newRow("the defaults clear it") << on << QByteArrayList{"cmdpuv"} << false << off;
}

void TestFrmNastaveni::detailsSetting()
{
    QFETCH(QString, store);
    QFETCH(QByteArrayList, clicks);
    QFETCH(QString, afterOk);
    m_settings->StoreAll(Defaults);
    if (!store.isNull())
        m_settings->Store(u"vyslovnost"_s, store);
    open();
    for (const QByteArray& name : clicks)
        click(name.constData());
    QTEST(control<QCheckBox>("chkvyslovnost")->isChecked(), "checked");
    // The defaults button stores at once, as it does the other keys.
    if (clicks.contains("cmdpuv"))
        QCOMPARE(m_settings->Stored(u"vyslovnost"_s), u"0"_s);
    click("cmdOk");
    QTRY_VERIFY(!m_dialog);
    QCOMPARE(m_settings->Stored(u"vyslovnost"_s), afterOk);
    QCOMPARE(stored(), Defaults);
}

void TestFrmNastaveni::pageOptionsShowTheirPage_data()
{
    QTest::addColumn<QByteArrayList>("clicks");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("option");
    QTest::newRow("Vzhled") << QByteArrayList{"optVzhled"} << QByteArray("Picture2")
                            << QByteArray("optVzhled");
    QTest::newRow("O nás") << QByteArrayList{"opto"} << QByteArray("Picture3")
                           << QByteArray("opto");
    QTest::newRow("Lekce") << QByteArrayList{"optLekce"} << QByteArray("Picture4")
                           << QByteArray("optLekce");
    QTest::newRow("Lekce, then O nás")
        << QByteArrayList{"optLekce", "opto"} << QByteArray("Picture3") << QByteArray("opto");
    QTest::newRow("the selected option again")
        << QByteArrayList{"OptNastaveni"} << QByteArray("Picture1") << QByteArray("OptNastaveni");
    QTest::newRow("there and back") << QByteArrayList{"opto", "OptNastaveni"}
                                    << QByteArray("Picture1") << QByteArray("OptNastaveni");
    QTest::newRow("language order is no page")
        << QByteArrayList{"Option2"} << QByteArray("Picture1") << QByteArray("OptNastaveni");
}

void TestFrmNastaveni::pageOptionsShowTheirPage()
{
    QFETCH(QByteArrayList, clicks);
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, option);
    open();
    for (const QByteArray& name : clicks)
        click(name.constData());
    for (const char* each : {"Picture1", "Picture2", "Picture3", "Picture4"})
        QCOMPARE(control(each)->isVisible(), page == each);
    for (const char* each : {"OptNastaveni", "optVzhled", "opto", "optLekce"})
        QCOMPARE(control<QRadioButton>(each)->isChecked(), option == each);
    // Choosing a page leaves the language order alone, and the other way round.
    QCOMPARE(control<QRadioButton>("Option1")->isChecked(), !clicks.contains("Option2"));
}

void TestFrmNastaveni::editsSurvivePageChanges()
{
    m_settings->StoreAll(Defaults);
    open();
    type("txtprvni", QStringLiteral("9"));
    click("Option2");
    m_dialogs.colourAnswers = {QColor(0x10, 0x20, 0x30)};
    click("optVzhled");
    click("cmdstin");
    click("opto");
    QCOMPARE(control<QLineEdit>("txtprvni")->text(), QStringLiteral("9"));
    click("cmdOk");
    QCOMPARE(stored(), (QStringList{u"9"_s, u"3"_s, u"0"_s, u"0"_s, u"0"_s, u"16777215"_s,
                                    QString::number(0x302010), u""_s}));
}

void TestFrmNastaveni::colourChooser_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("swatch");
    QTest::addColumn<QByteArray>("preview");
    QTest::addColumn<std::optional<QColor>>("answer");
    QTest::addColumn<quint32>("expected");
    const std::optional<QColor> cancel;
    const std::optional<QColor> orange = QColor(0xFF, 0x80, 0x00);
    QTest::newRow("background") << QByteArray("cmdpozadi") << QByteArray("lblpozadi")
                                << QByteArray("lblprevpoz") << orange << 0x0080FFu;
    QTest::newRow("text") << QByteArray("cmdtext") << QByteArray("lbltext")
                          << QByteArray("lblprevtext") << orange << 0x0080FFu;
    QTest::newRow("shadow") << QByteArray("cmdstin") << QByteArray("lblstin")
                            << QByteArray("lblprevstin") << orange << 0x0080FFu;
    // The store holds a system colour for the background and 0x123456 for the rest.
    QTest::newRow("cancelled keeps a colour") << QByteArray("cmdtext") << QByteArray("lbltext")
                                              << QByteArray("lblprevtext") << cancel << 0x123456u;
    QTest::newRow("cancelled keeps a system colour as such")
        << QByteArray("cmdpozadi") << QByteArray("lblpozadi") << QByteArray("lblprevpoz") << cancel
        << DesignSwatch;
}

void TestFrmNastaveni::colourChooser()
{
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, swatch);
    QFETCH(QByteArray, preview);
    QFETCH(std::optional<QColor>, answer);
    QFETCH(quint32, expected);
    m_settings->StoreAll(
        {u"3"_s, u"3"_s, u"1"_s, u"0"_s, u"-2147483643"_s, u"1193046"_s, u"1193046"_s, u""_s});
    open();
    const QColor before = colour(control<ColourSwatch>(swatch.constData())->BackColorNumber());
    m_dialogs.colourAnswers = {answer};
    click("optVzhled");
    click(button.constData());

    QCOMPARE(m_dialogs.coloursOffered, QList<QColor>{before});
    QCOMPARE(control<ColourSwatch>(swatch.constData())->BackColorNumber(), expected);
    auto* previewLabel = control<Label>(preview.constData());
    const QColor shown =
        swatch == "lblpozadi" ? backColourOf(previewLabel) : previewLabel->ForeColor();
    QCOMPARE(shown, colour(expected));
}

void TestFrmNastaveni::pictureChooser_data()
{
    QTest::addColumn<QString>("storedFile");
    QTest::addColumn<QStringList>("answers"); // an empty answer cancels
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("picture");
    QTest::newRow("the first dialog cancelled removes the picture")
        << u"old.jpg"_s << QStringList{u""_s} << u""_s << QSize(0, 0);
    QTest::newRow("a jpeg chosen")
        << u""_s << QStringList{u"new.jpg"_s} << u"new.jpg"_s << QSize(40, 10);
    QTest::newRow("a file that is no picture keeps the former preview")
        << u"old.jpg"_s << QStringList{u"text.jpg"_s} << u"text.jpg"_s << QSize(20, 20);
    QTest::newRow("a later cancel applies the chosen file again")
        << u"old.jpg"_s << QStringList{u"new.jpg"_s, u""_s} << u"new.jpg"_s << QSize(40, 10);
    QTest::newRow("a pipe is refused")
        << u"old.jpg"_s << QStringList{u"pipe.jpg"_s} << u"old.jpg"_s << QSize(20, 20);
    QTest::newRow("a folder is refused, and a later cancel applies the file before it")
        << u"old.jpg"_s << QStringList{u"new.jpg"_s, u"folder.jpg"_s, u""_s} << u"new.jpg"_s
        << QSize(40, 10);
    // "×" removes the picture and leaves every other setting.
    QTest::newRow("× removes the stored picture")
        << u"old.jpg"_s << QStringList{u"×"_s} << u""_s << QSize(0, 0);
    QTest::newRow("a cancel after × does not bring the chosen picture back")
        << u"old.jpg"_s << QStringList{u"new.jpg"_s, u"×"_s, u""_s} << u""_s << QSize(0, 0);
    QTest::newRow("a picture chosen after ×")
        << u"old.jpg"_s << QStringList{u"×"_s, u"new.jpg"_s} << u"new.jpg"_s << QSize(40, 10);
}

void TestFrmNastaveni::pictureChooser()
{
    QFETCH(QString, storedFile);
    QFETCH(QStringList, answers);
    QFETCH(QString, path);
    QFETCH(QSize, picture);
    writeJpeg(QStringLiteral("old.jpg"), QSize(20, 20));
    writeJpeg(QStringLiteral("new.jpg"), QSize(40, 10));
    WriteFile(fileNamed(QStringLiteral("text.jpg")), "no picture here\n");
    QVERIFY(mkfifo(QFile::encodeName(fileNamed(QStringLiteral("pipe.jpg"))).constData(), 0600) ==
            0);
    QVERIFY(QDir().mkpath(fileNamed(QStringLiteral("folder.jpg"))));
    const auto full = [this](const QString& name) {
        return name.isEmpty() ? QString() : fileNamed(name);
    };
    m_settings->StoreAll(
        {u"3"_s, u"3"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, full(storedFile)});
    open();
    click("optVzhled");
    for (const QString& answer : answers) {
        if (answer == u"×") {
            click("cmdodebrat");
            continue;
        }
        m_dialogs.fileAnswers << (answer.isEmpty() ? std::nullopt : std::optional(full(answer)));
        click("cmdobr");
    }

    // The JPEG filter first, so the dialog opens with it; then every format that loads.
    for (const QString& offered : std::as_const(m_dialogs.filtersOffered)) {
        const QStringList filters = offered.split(u";;"_s);
        QCOMPARE(filters.value(0), QStringLiteral("obrázky jpg (*.jpg *.jpeg)"));
        for (const QString& pattern :
             {u"*.png"_s, u"*.bmp"_s, u"*.gif"_s, u"*.jpeg"_s, u"*.webp"_s})
            QVERIFY2(filters.value(1).contains(pattern), qPrintable(filters.value(1)));
    }
    QCOMPARE(control<Label>("lblcestaobr")->Caption(), full(path));
    auto* image = control<Image>("Image1");
    QCOMPARE(image->Picture().size(), picture);
    QCOMPARE(image->geometry(), control("lblprevpoz")->geometry());
    QVERIFY(image->Stretch() && image->isVisible());
    QCOMPARE(control("cmdodebrat")->isEnabled(), !path.isEmpty());
    click("cmdOk");
    QCOMPARE(m_settings->Stored(QStringLiteral("obr")), full(path));
    QCOMPARE(m_settings->Stored(QStringLiteral("btextu")), u"0"_s);
}

void TestFrmNastaveni::longPathShowsItsFileName_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::newRow("deep folders") << QStringLiteral("Obrázky/Dovolená 2024/Chorvatsko/Dubrovník/"
                                                    "hradby a přístav/vybrané fotografie")
                                  << QStringLiteral("západ slunce.jpg");
    QTest::newRow("a file name longer than the label")
        << QStringLiteral("a")
        << QStringLiteral("fotografie z dovolené u moře v Chorvatsku "
                          "se západem slunce nad přístavem.jpg");
}

// The path label is too narrow for most paths: it must show the file name, keep to its
// own rectangle above the preview, and hold the whole path for OK and the tooltip.
void TestFrmNastaveni::longPathShowsItsFileName()
{
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QVERIFY(QDir().mkpath(fileNamed(folder)));
    const QString path = writeJpeg(folder + u'/' + file, QSize(8, 8));
    m_dialogs.fileAnswers = {path};
    open();
    click("optVzhled");
    click("cmdobr");

    auto* label = control<PathLabel>("lblcestaobr");
    QCOMPARE(label->Caption(), path);
    QCOMPARE(label->toolTip(), path);
    const QStringList lines = PathLines(path, label->fontMetrics(), label->TextWidth());
    QVERIFY2(lines.size() == 2, qPrintable(lines.join(u'|')));
    // Clear of the "..." button that stands over the label's right end.
    QVERIFY(label->x() + label->TextWidth() <= control("cmdobr")->x());
    for (const QString& line : lines)
        QVERIFY(label->fontMetrics().horizontalAdvance(line) <= label->TextWidth());
    // The whole name when it fits, else its start and its extension.
    const QString& shown = lines.last();
    QVERIFY2(shown == file || (shown.startsWith(file.left(5)) && shown.endsWith(u".jpg"_s)),
             qPrintable(shown));

    const int previewTop = control("lblprevpoz")->y() - label->y();
    const QImage painted = label->grab().toImage();
    for (int y = previewTop; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x)
            QVERIFY2(qAlpha(painted.pixel(x, y)) == 0 || qGray(painted.pixel(x, y)) > 128,
                     "the path runs into the preview");
    }
}

void TestFrmNastaveni::arrowsStepTheirBox_data()
{
    QTest::addColumn<QByteArray>("upDown");
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("steps"); // up when positive
    QTest::addColumn<bool>("byKeyboard");
    QTest::addColumn<QString>("expected");
    const QByteArray first("UpDown1");
    const QByteArray firstBox("txtprvni");
    QTest::newRow("up") << first << firstBox << u"1"_s << 1 << false << u"2"_s;
    QTest::newRow("on from a loaded delay") << first << firstBox << u"7"_s << -2 << false << u"5"_s;
    QTest::newRow("held at 30") << first << firstBox << u"29"_s << 3 << false << u"30"_s;
    QTest::newRow("held at 1") << first << firstBox << u"2"_s << -3 << false << u"1"_s;
    QTest::newRow("typed beyond the range comes back into it")
        << first << firstBox << u"45"_s << -1 << false << u"29"_s;
    QTest::newRow("a word in the box steps from the arrows' value")
        << first << firstBox << u"abc"_s << 1 << false << u"2"_s;
    QTest::newRow("arrow keys") << first << firstBox << u"10"_s << 2 << true << u"12"_s;
    QTest::newRow("second delay") << QByteArray("UpDown2") << QByteArray("txtdruhy") << u"3"_s << 1
                                  << false << u"4"_s;
}

void TestFrmNastaveni::arrowsStepTheirBox()
{
    QFETCH(QByteArray, upDown);
    QFETCH(QByteArray, box);
    QFETCH(QString, start);
    QFETCH(int, steps);
    QFETCH(bool, byKeyboard);
    QFETCH(QString, expected);
    m_settings->StoreAll(Defaults);
    open();
    type(box.constData(), start);
    auto* arrows = control<UpDown>(upDown.constData());
    for (int i = 0; i < qAbs(steps); ++i) {
        if (byKeyboard)
            QTest::keyClick(arrows, steps > 0 ? Qt::Key_Up : Qt::Key_Down);
        else
            QTest::mouseClick(steps > 0 ? arrows->UpButton() : arrows->DownButton(),
                              Qt::LeftButton);
    }
    QCOMPARE(control<QLineEdit>(box.constData())->text(), expected);
}

void TestFrmNastaveni::enterAndEscape_data()
{
    QTest::addColumn<QByteArray>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saves");
    QTest::newRow("Enter on OK") << QByteArray("cmdOk") << int(Qt::Key_Return) << true << true;
    QTest::newRow("Enter on Storno")
        << QByteArray("CmdStorno") << int(Qt::Key_Enter) << true << false;
    QTest::newRow("Enter in a delay box")
        << QByteArray("txtprvni") << int(Qt::Key_Return) << false << false;
    QTest::newRow("Enter on a page option")
        << QByteArray("optVzhled") << int(Qt::Key_Return) << false << false;
    QTest::newRow("Escape on OK") << QByteArray("cmdOk") << int(Qt::Key_Escape) << false << false;
    QTest::newRow("Escape in a delay box")
        << QByteArray("txtdruhy") << int(Qt::Key_Escape) << false << false;
}

void TestFrmNastaveni::enterAndEscape()
{
    QFETCH(QByteArray, focus);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QFETCH(bool, saves);
    m_settings->StoreAll({u"3"_s, u"3"_s, u"1"_s, u"2"_s, u"0"_s, u"0"_s, u"0"_s, u""_s});
    open();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog));
    QWidget* target = control(focus.constData());
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QTest::qWait(10);
    QCOMPARE(m_dialog.isNull() || !m_dialog->isVisible(), closes);
    QCOMPARE(m_settings->Stored(QStringLiteral("pozice")),
             saves ? QStringLiteral("0") : QStringLiteral("2"));
}

void TestFrmNastaveni::tabOrder_data()
{
    QTest::addColumn<QByteArrayList>("clicks");
    QTest::addColumn<QByteArrayList>("stops");
    QTest::newRow("settings page")
        << QByteArrayList{}
        << QByteArrayList{"cmdOk",   "CmdStorno",     "Picture1",     "txtdruhy", "txtprvni",
                          "Option1", "chkvyslovnost", "UpDown1",      "UpDown2",  "txtnecinnost",
                          "UpDown3", "cmdpuv",        "OptNastaveni", "cmdOk"};
    QTest::newRow("English first")
        << QByteArrayList{"Option2"}
        << QByteArrayList{"cmdOk",    "CmdStorno",    "Picture1",      "txtdruhy",
                          "txtprvni", "Option2",      "chkvyslovnost", "UpDown1",
                          "UpDown2",  "txtnecinnost", "UpDown3",       "cmdpuv"};
    QTest::newRow("appearance page")
        << QByteArrayList{"optVzhled"}
        << QByteArrayList{"cmdOk",   "CmdStorno", "Picture2", "cmdpozadi", "cmdtext",
                          "cmdstin", "cmdobr",    "cmdpuv",   "optVzhled", "cmdOk"};
    QTest::newRow("lesson page") << QByteArrayList{"optLekce"}
                                 << QByteArrayList{"cmdOk",  "CmdStorno", "Picture4", "lstlekce",
                                                   "cmdpuv", "optLekce",  "cmdOk"};
    QTest::newRow("about page") << QByteArrayList{"opto"}
                                << QByteArrayList{"cmdOk", "CmdStorno", "cmdpuv",
                                                  "opto",  "Picture3",  "cmdOk"};
}

void TestFrmNastaveni::tabOrder()
{
    QFETCH(QByteArrayList, clicks);
    QFETCH(QByteArrayList, stops);
    m_settings->StoreAll(Defaults);
    open();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog));
    QCOMPARE(QApplication::focusWidget(), control("cmdOk")); // where the focus is at open
    for (const QByteArray& name : clicks)
        click(name.constData());
    control("cmdOk")->setFocus();
    QByteArrayList visited;
    for (qsizetype i = 0; i < stops.size(); ++i) {
        visited << QApplication::focusWidget()->objectName().toLatin1();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, stops);
}

void TestFrmNastaveni::writeLessons()
{
    WriteFile(fileNamed(u"a.txt"_s), LessonBytes("J\xc3\xad"
                                                 "dlo/Food",
                                                 2));
    WriteFile(fileNamed(u"b.txt"_s), LessonBytes("Zv\xed\xf8"
                                                 "ata/Animals",
                                                 1));
    WriteFile(fileNamed(u"c.txt"_s), LessonBytes("/no title", 0));
    const QString own = fileNamed(u"data/vokabo/lessons"_s);
    WriteFile(own + u"/moje lekce.txt"_s, LessonBytes("Moje/Mine", 3));
    // "Zvířata.txt" as an old Windows disk names it, holding "Stará" in Windows-1250.
    WriteNative(QFile::encodeName(own) + "/Zv\xed\xf8"
                                         "ata.txt",
                LessonBytes("Star\xe1/Old", 1));
}

// Each row of the lesson page as "x caption|entries": x for checked, ~ for partly, a blank
// for unchecked; a folder's row has no entries.
QStringList TestFrmNastaveni::lessonRows() const
{
    const QAbstractItemModel* model = control<QTreeView>("lstlekce")->model();
    const auto row = [model](const QModelIndex& index) {
        const auto state = index.data(Qt::CheckStateRole).value<Qt::CheckState>();
        const QString mark = state == Qt::Checked     ? u"x"_s
                             : state == Qt::Unchecked ? u" "_s
                                                      : u"~"_s;
        const QString entries = index.siblingAtColumn(1).data().toString();
        return mark + u' ' + index.data().toString() + (entries.isEmpty() ? u""_s : u'|' + entries);
    };
    QStringList rows;
    for (int group = 0; group < model->rowCount(); ++group) {
        const QModelIndex folder = model->index(group, 0);
        rows << row(folder);
        for (int lesson = 0; lesson < model->rowCount(folder); ++lesson)
            rows << row(model->index(lesson, 0, folder));
    }
    return rows;
}

// As the user does it: the row made current, then the space bar.
void TestFrmNastaveni::toggleLesson(const QString& caption)
{
    auto* view = control<QTreeView>("lstlekce");
    const QModelIndexList found =
        view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, caption, 1,
                             Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY2(!found.isEmpty(), qPrintable(caption));
    view->setCurrentIndex(found.first());
    QTest::keyClick(view, Qt::Key_Space);
}

void TestFrmNastaveni::lessonPageShowsBothFolders_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("rows");
    const QStringList all{u"x Přibalené lekce"_s, u"x Jídlo|2"_s, u"x Zvířata|1"_s, u"x c.txt|0"_s,
                          u"x Vlastní lekce"_s,   u"x Stará|1"_s, u"x Moje|3"_s};
    QTest::newRow("nothing stored: every lesson") << u""_s << all;
    QTest::newRow("a lesson left out, and one that is gone")
        << u"-pribalena/b.txt|-vlastni/gone.txt"_s
        << QStringList{u"~ Přibalené lekce"_s, u"x Jídlo|2"_s, u"  Zvířata|1"_s, u"x c.txt|0"_s,
                       u"x Vlastní lekce"_s,   u"x Stará|1"_s, u"x Moje|3"_s};
    QTest::newRow("the own lessons left out, a Windows-1250 name among them")
        << u"-vlastni/Zv%ED%F8ata.txt|-vlastni/moje%20lekce.txt"_s
        << QStringList{u"x Přibalené lekce"_s, u"x Jídlo|2"_s, u"x Zvířata|1"_s, u"x c.txt|0"_s,
                       u"  Vlastní lekce"_s,   u"  Stará|1"_s, u"  Moje|3"_s};
    QTest::newRow("every lesson left out: the saver takes them all, and so does the page")
        << u"-pribalena/a.txt|-pribalena/b.txt|-pribalena/c.txt|-vlastni/moje%20lekce.txt|"
           u"-vlastni/Zv%ED%F8ata.txt"_s
        << all;
}

void TestFrmNastaveni::lessonPageShowsBothFolders()
{
    QFETCH(QString, stored);
    writeLessons();
    m_settings->StoreAll(Defaults);
    m_settings->Store(u"lekce"_s, stored);
    open();
    click("optLekce");
    QTEST(lessonRows(), "rows");
}

void TestFrmNastaveni::okStoresTheLessonChoice_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("toggles");
    QTest::addColumn<QString>("expected"); // empty with refused: nothing is written
    QTest::addColumn<bool>("refused");
    QTest::newRow("nothing changed") << u""_s << QStringList{} << u""_s << false;
    QTest::newRow("the page never shown keeps the stored choice")
        << u"-pribalena/b.txt|-vlastni/gone.txt"_s << QStringList{}
        << u"-pribalena/b.txt|-vlastni/gone.txt"_s << false;
    QTest::newRow("a lesson unchecked")
        << u""_s << QStringList{u"Zvířata"_s} << u"-pribalena/b.txt"_s << false;
    QTest::newRow("a Windows-1250 name, by its bytes")
        << u""_s << QStringList{u"Stará"_s} << u"-vlastni/Zv%ED%F8ata.txt"_s << false;
    QTest::newRow("the own folder unchecked at once")
        << u""_s << QStringList{u"Vlastní lekce"_s}
        << u"-vlastni/Zv%ED%F8ata.txt|-vlastni/moje%20lekce.txt"_s << false;
    QTest::newRow("checked again, and one that is gone kept")
        << u"-pribalena/b.txt|-vlastni/gone.txt"_s << QStringList{u"Zvířata"_s}
        << u"-vlastni/gone.txt"_s << false;
    QTest::newRow("every lesson unchecked is refused")
        << u"-vlastni/gone.txt"_s << QStringList{u"Přibalené lekce"_s, u"Vlastní lekce"_s} << u""_s
        << true;
}

void TestFrmNastaveni::okStoresTheLessonChoice()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, toggles);
    QFETCH(QString, expected);
    QFETCH(bool, refused);
    writeLessons();
    m_settings->StoreAll(Defaults);
    if (!stored.isEmpty())
        m_settings->Store(u"lekce"_s, stored);
    const QByteArray before = ReadFile(m_settings->FilePath());
    open();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog));
    if (!toggles.isEmpty())
        click("optLekce");
    for (const QString& caption : toggles)
        toggleLesson(caption);
    click("opto");
    click("cmdOk");
    if (!refused) {
        QVERIFY(m_dialogs.failures.isEmpty());
        QCOMPARE(m_settings->Stored(u"lekce"_s), expected);
        return;
    }
    QCOMPARE(m_dialogs.failures,
             QStringList{u"Označte aspoň jednu lekci, ze které se mají slovíčka vybírat."_s});
    QCOMPARE(ReadFile(m_settings->FilePath()), before);
    QTest::qWait(10);
    QVERIFY(m_dialog && m_dialog->isVisible());
    QVERIFY(control("Picture4")->isVisible());
    QCOMPARE(QApplication::focusWidget(), control("lstlekce"));
}

void TestFrmNastaveni::pictureChooserStartsNearThePicture_data()
{
    QTest::addColumn<QString>("stored"); // within the test's folder
    QTest::addColumn<bool>("picturesFolder");
    QTest::addColumn<QString>("start"); // within the test's folder
    QTest::newRow("at the stored picture") << u"fotky/old.jpg"_s << true << u"fotky/old.jpg"_s;
    QTest::newRow("in the folder of a stored picture that is gone")
        << u"fotky/gone.jpg"_s << true << u"fotky"_s;
    QTest::newRow("a picture whose folder is gone: the Pictures folder")
        << u"nowhere/gone.jpg"_s << true << u"home/Pictures"_s;
    QTest::newRow("no picture: the Pictures folder") << u""_s << true << u"home/Pictures"_s;
    QTest::newRow("no picture and no Pictures folder: home") << u""_s << false << u"home"_s;
}

// The chooser never opens at the root of the file system, the working folder of a saver
// that the system starts.
void TestFrmNastaveni::pictureChooserStartsNearThePicture()
{
    QFETCH(QString, stored);
    QFETCH(bool, picturesFolder);
    QFETCH(QString, start);
    QVERIFY(QDir().mkpath(fileNamed(picturesFolder ? u"home/Pictures"_s : u"home"_s)));
    qputenv("HOME", QFile::encodeName(fileNamed(u"home"_s)));
    QVERIFY(QDir().mkpath(fileNamed(u"fotky"_s)));
    writeJpeg(u"fotky/old.jpg"_s, QSize(8, 8));
    m_settings->StoreAll({u"3"_s, u"3"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s,
                          stored.isEmpty() ? QString() : fileNamed(stored)});
    open();
    click("optVzhled");
    click("cmdobr");
    QCOMPARE(m_dialogs.fileNamesOffered, QStringList{fileNamed(start)});
}

void TestFrmNastaveni::everyCaptionFits()
{
    open();
    const auto fits = [](const QWidget* widget, const QString& text, int room, int flags) {
        const QRect needed =
            widget->fontMetrics().boundingRect(QRect(0, 0, room, 1000), flags, text);
        // boundingRect counts a pixel of leading below the last line that is never inked.
        return needed.width() <= room && needed.height() <= widget->height() + 1;
    };
    for (const Label* label : m_dialog->findChildren<Label*>()) {
        QVERIFY2(fits(label, label->Caption(), label->width(), Qt::TextWordWrap),
                 qPrintable(label->objectName()));
    }
    for (const QAbstractButton* button : m_dialog->findChildren<QAbstractButton*>()) {
        if (qobject_cast<const QToolButton*>(button))
            continue;
        // Room left beside a radio button's circle or inside a button's frame.
        const int room = button->width() - (qobject_cast<const QRadioButton*>(button) ? 18 : 4);
        QVERIFY2(fits(button, button->text(), room, Qt::TextSingleLine),
                 qPrintable(button->objectName()));
    }
}

QTEST_MAIN(TestFrmNastaveni)
#include "tst_settingsdialog.moc"

#include "dialog/frmnastaveni.h"
#include "screensaver/frmmain.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "screensaver/program.h"
#include "widgets/shape.h"
#include "support/scriptedrandom.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QImageReader>
#include <QPainter>
#include <QtTest>
#include <memory>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void designLayout_data();
    void designLayout();
    void stackingAndMouseOwnership();
    void commandLine_data();
    void commandLine();
    void anotherInstanceEndsAtOnce();
    void startShowsLessonWordAndBanner();
    void storedColoursApply_data();
    void storedColoursApply();
    void backgroundPicture_data();
    void backgroundPicture();
    void noLessonsStillRunsWithoutDesignCaptions();
    void longCaptionWrapsAndPushesTranslationDown();
    void mouseMovesCloseOnTheTwentySixth();
    void movesOverVisibleWordsDoNotCount();
    void keys_data();
    void keys();
    void spaceDuringLoadStartsOverAndCloseStopsIt();
    void spacePicksOnlyChosenLessons();
    void lastWindowGoneEndsTheProgram();

private:
    frmmain* start(const QString& arguments = QStringLiteral("/s"), bool prevInstance = false);
    void writeLesson(const QString& name, const QByteArray& title, int entries, const QByteArray& czech = "pes, ps\xedk");

    std::unique_ptr<TemporarySettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_lessons;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<ScriptedRandom> m_random;
    std::unique_ptr<ScopedRandom> m_scopedRandom;
};

void TestMainWindow::init()
{
    m_settings = std::make_unique<TemporarySettings>();
    m_lessons = std::make_unique<QTemporaryDir>();
    m_random = std::make_unique<ScriptedRandom>(QList<float>{0.5f});
    m_scopedRandom = std::make_unique<ScopedRandom>(*m_random);
}

void TestMainWindow::cleanup()
{
    if (m_program) {
        delete m_program->MainWindow();
        delete m_program->SettingsDialog();
    }
    m_program.reset();
    m_scopedRandom.reset();
    m_settings.reset();
    m_lessons.reset();
}

void TestMainWindow::writeLesson(const QString& name, const QByteArray& title, int entries, const QByteArray& czech)
{
    QByteArray bytes = title + "/x\r\nabout\r\n";
    for (int i = 0; i < entries; ++i)
        bytes += "dog\r\n[dog]\r\nnoun\r\n" + czech + "\r\nmn. dogs\r\nA dog.|Pes.\r\n--\r\n";
    WriteFile(m_lessons->filePath(name), bytes);
}

frmmain* TestMainWindow::start(const QString& arguments, bool prevInstance)
{
    m_program = std::make_unique<Program>(Program::Options{arguments, prevInstance, m_lessons->path(), nullptr});
    m_program->Start();
    return m_program->MainWindow();
}

void TestMainWindow::designLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips"); // left, top, width, height; width 0 where the caption decides
    QTest::addColumn<bool>("visible");
    QTest::newRow("lblcesky") << QStringLiteral("lblcesky") << QRect(3480, 5880, 5295, 615) << true;
    QTest::newRow("lblanglicky") << QStringLiteral("lblanglicky") << QRect(3480, 6480, 5295, 615) << true;
    QTest::newRow("lblcesky2") << QStringLiteral("lblcesky2") << QRect(3540, 5940, 5295, 615) << true;
    QTest::newRow("lblanglicky2") << QStringLiteral("lblanglicky2") << QRect(3540, 6540, 5295, 615) << true;
    QTest::newRow("Label1") << QStringLiteral("Label1") << QRect(840, 0, 0, 0) << false;
    QTest::newRow("Label3") << QStringLiteral("Label3") << QRect(885, 45, 0, 0) << false;
    QTest::newRow("Label2") << QStringLiteral("Label2") << QRect(840, 480, 4335, 255) << false;
    QTest::newRow("Image2") << QStringLiteral("Image2") << QRect(120, 120, 435, 405) << false;
    QTest::newRow("Shape2") << QStringLiteral("Shape2") << QRect(-120, -120, 5775, 855) << false;
}

void TestMainWindow::designLayout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(bool, visible);
    SaverVariables vars;
    Program program({QStringLiteral("/s"), false, QString(), nullptr});
    frmmain window(program, vars);
    const QMap<QString, QWidget*> controls{
        {QStringLiteral("lblcesky"), window.lblcesky()},   {QStringLiteral("lblanglicky"), window.lblanglicky()},
        {QStringLiteral("lblcesky2"), window.lblcesky2()}, {QStringLiteral("lblanglicky2"), window.lblanglicky2()},
        {QStringLiteral("Label1"), window.Label1()},       {QStringLiteral("Label2"), window.Label2()},
        {QStringLiteral("Label3"), window.Label3()},       {QStringLiteral("Image2"), window.Image2()},
        {QStringLiteral("Shape2"), window.Shape2()}};
    QWidget* control = controls.value(name);
    const QRect pixels = control->geometry();
    QCOMPARE(QPoint(pixels.x() * 15, pixels.y() * 15), twips.topLeft());
    if (twips.width() > 0)
        QCOMPARE(QSize(pixels.width() * 15, pixels.height() * 15), twips.size());
    QCOMPARE(control->isVisibleTo(&window), visible);
    QCOMPARE(window.Timer1().interval(), 1000);
    QCOMPARE(window.Timer2().interval(), 1000);
    QVERIFY(window.Timer1().isActive() && window.Timer2().isActive());
    QCOMPARE(window.BackColor(), QColor(0xC0, 0xFF, 0xC0));
}

void TestMainWindow::stackingAndMouseOwnership()
{
    SaverVariables vars;
    Program program({QStringLiteral("/s"), false, QString(), nullptr});
    frmmain window(program, vars);
    QList<QWidget*> backToFront;
    for (QObject* child : window.children())
        if (auto* widget = qobject_cast<QWidget*>(child))
            backToFront << widget;
    const QList<QWidget*> design{window.Shape2(),  window.Label3(), window.lblanglicky2(),
                                 window.lblcesky2(), window.lblcesky(), window.lblanglicky(),
                                 window.Label1(),    window.Label2(), window.Image2()};
    QCOMPARE(backToFront, design);

    // The pronunciation and example come only with the setting, their shadows among the
    // words' shadows.
    m_settings->Store(QStringLiteral("vyslovnost"), QStringLiteral("1"));
    window.Form_Load();
    backToFront.clear();
    for (QObject* child : window.children())
        if (auto* widget = qobject_cast<QWidget*>(child))
            backToFront << widget;
    const QList<QWidget*> expected{
        window.Shape2(),         window.Label3(),      window.lblanglicky2(),
        window.lblvyslovnost2(), window.lblpriklad2(), window.lblpreklad2(),
        window.lblcesky2(),      window.lblcesky(),    window.lblanglicky(),
        window.lblvyslovnost(),  window.lblpriklad(),  window.lblpreklad(),
        window.Label1(),         window.Label2(),      window.Image2()};
    QCOMPARE(backToFront, expected);

    QVERIFY(window.Shape2()->testAttribute(Qt::WA_TransparentForMouseEvents));
    for (QWidget* owner : {static_cast<QWidget*>(window.lblcesky()), static_cast<QWidget*>(window.Label1()),
                           static_cast<QWidget*>(window.Image2())})
        QVERIFY(owner->testAttribute(Qt::WA_NoMousePropagation));
    QCOMPARE(window.cursor().shape(), Qt::BlankCursor);
    const QImage logo = window.Image2()->Picture().toImage();
    QCOMPARE(logo.size(), QSize(29, 27));
    QCOMPARE(QColor(logo.pixel(14, 2)), QColor(63, 101, 254)); // the badge, not black: rows run bottom-up

    QCOMPARE(window.lblcesky()->font().family(), QStringLiteral("Arial"));
    QCOMPARE(window.lblcesky()->font().pointSizeF(), 20.25);
    QVERIFY(window.lblcesky()->font().bold() && !window.lblcesky()->font().italic());
    QVERIFY(window.Label1()->font().italic());
    QCOMPARE(window.Label2()->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(window.Label2()->font().pointSizeF(), 8.25);
}

void TestMainWindow::commandLine_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<bool>("saverShown");
    QTest::addColumn<bool>("dialogShown");
    QTest::newRow("/s") << QStringLiteral("/s") << true << false;
    QTest::newRow("empty") << QString() << true << false;
    QTest::newRow("/C:123") << QStringLiteral("/C:123") << false << true;
    QTest::newRow("/p 1234") << QStringLiteral("/p 1234") << false << false;
}

void TestMainWindow::commandLine()
{
    QFETCH(QString, arguments);
    QFETCH(bool, saverShown);
    QFETCH(bool, dialogShown);
    writeLesson(QStringLiteral("a.txt"), "A", 2);
    frmmain* window = start(arguments);
    QCOMPARE(window && !window->IsUnloaded() && window->isVisible(), saverShown);
    QCOMPARE(m_program->SettingsDialog() != nullptr && m_program->SettingsDialog()->isVisible(), dialogShown);
    if (dialogShown)
        QVERIFY(!m_program->SettingsDialog()->Vsporici);
    QCOMPARE(m_program->HasWindows(), saverShown || dialogShown);
}

void TestMainWindow::anotherInstanceEndsAtOnce()
{
    start(QStringLiteral("/c"), true);
    QVERIFY(m_program->Ended());
    QVERIFY(!m_program->SettingsDialog());
    QVERIFY(!m_program->MainWindow() || !m_program->MainWindow()->isVisible());
}

void TestMainWindow::startShowsLessonWordAndBanner()
{
    writeLesson(QStringLiteral("a.txt"), "Zv\xed\xf8""ata", 3);
    frmmain* window = start();
    QVERIFY(window->isVisible());
    QCOMPARE(window->geometry(), QGuiApplication::primaryScreen()->geometry());
    QCOMPARE(window->Label1()->Caption(), QStringLiteral("Vokabo - Zvířata"));
    QCOMPARE(window->Label3()->Caption(), window->Label1()->Caption());
    QCOMPARE(window->Label2()->Caption(), QStringLiteral("skupinu změníte mezerníkem"));
    QVERIFY(window->Shape2()->isVisible() && window->Label1()->isVisible() && window->Image2()->isVisible());
    QCOMPARE(window->lblcesky()->Caption(), QStringLiteral("pes"));
    QCOMPARE(window->lblcesky2()->Caption(), QStringLiteral("pes"));
    QCOMPARE(window->lblanglicky()->Caption(), QStringLiteral("dog"));
    QVERIFY(window->lblcesky()->isVisible() && !window->lblanglicky()->isVisible());
    QCOMPARE(m_program->Variables().WordTick, qint16(1));
    QCOMPARE(m_program->Variables().BannerTick, qint16(20));
    // The plate ends 1000 twips right of the first line.
    QCOMPARE(window->Shape2()->geometry().right() + 1, window->Label1()->geometry().right() + 1 + 1000 / 15 + 1);
}

void TestMainWindow::storedColoursApply_data()
{
    QTest::addColumn<QStringList>("stored"); // bpozadi, btextu, bstinu
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("englishText");
    QTest::addColumn<QColor>("shadow");
    QTest::addColumn<QColor>("englishShadow");
    QTest::newRow("defaults") << QStringList{QStringLiteral("0"), QStringLiteral("16777215"), QStringLiteral("14737632")}
                              << QColor(Qt::black) << QColor(Qt::white) << QColor(Qt::white) << QColor(0xE0, 0xE0, 0xE0) << QColor(0xE0, 0xE0, 0xE0);
    QTest::newRow("red, green, blue are 0x00BBGGRR") << QStringList{QStringLiteral("255"), QStringLiteral("65280"), QStringLiteral("16711680")}
                                                    << QColor(Qt::red) << QColor(Qt::green) << QColor(Qt::green) << QColor(Qt::blue) << QColor(Qt::blue);
    QTest::newRow("unusable texts give the first-run defaults") << QStringList{QStringLiteral("abc"), QString(), QStringLiteral("99999999999")}
                                                               << QColor(Qt::black) << QColor(Qt::white) << QColor(Qt::white) << QColor(0xE0, 0xE0, 0xE0) << QColor(0xE0, 0xE0, 0xE0);
    QTest::newRow("unknown top byte gives the first-run default") << QStringList{QStringLiteral("16777216"), QStringLiteral("0"), QStringLiteral("0")}
                                                                 << QColor(Qt::black) << QColor(Qt::black) << QColor(Qt::black) << QColor(Qt::black) << QColor(Qt::black);
}

void TestMainWindow::storedColoursApply()
{
    QFETCH(QStringList, stored);
    WriteFile(m_settings->FilePath(), "[nastaveni]\nnprvni=3\n");
    m_settings->Store(QStringLiteral("bpozadi"), stored[0]);
    m_settings->Store(QStringLiteral("btextu"), stored[1]);
    m_settings->Store(QStringLiteral("bstinu"), stored[2]);
    writeLesson(QStringLiteral("a.txt"), "A", 1);
    frmmain* window = start();
    QTEST(window->BackColor(), "background");
    QTEST(window->lblcesky()->ForeColor(), "text");
    QTEST(window->lblanglicky()->ForeColor(), "englishText");
    QTEST(window->lblcesky2()->ForeColor(), "shadow");
    QTEST(window->lblanglicky2()->ForeColor(), "englishShadow");
}

void TestMainWindow::backgroundPicture_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("shown");
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QTest::newRow("small picture at its own size") << QStringLiteral("small") << QSize(40, 30);
    QTest::newRow("picture larger than the screen is cut") << QStringLiteral("large") << screen;
    QTest::newRow("text file is no picture") << QStringLiteral("text") << QSize(0, 0);
    QTest::newRow("missing file") << QStringLiteral("missing") << QSize(0, 0);
    QTest::newRow("folder") << QStringLiteral("folder") << QSize(0, 0);
    QTest::newRow("no picture") << QStringLiteral("empty") << QSize(0, 0);
    QTest::newRow("30000 x 30000 is too large to decode") << QStringLiteral("huge") << QSize(0, 0);
    QTest::newRow("truncated picture") << QStringLiteral("truncated") << QSize(0, 0);
    QTest::newRow("photo beyond the decoder's memory limit, its corner unshrunk")
        << QStringLiteral("photo") << screen;
}

void TestMainWindow::backgroundPicture()
{
    QFETCH(QString, kind);
    QFETCH(QSize, shown);
    QTemporaryDir pictures;
    QString path = pictures.filePath(kind + QStringLiteral(".jpg"));
    if (kind == QLatin1String("small") || kind == QLatin1String("large")) {
        const QSize size = kind == QLatin1String("small") ? QSize(40, 30) : QGuiApplication::primaryScreen()->size() + QSize(50, 50);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QVERIFY(image.save(path, "JPG"));
    } else if (kind == QLatin1String("huge") || kind == QLatin1String("truncated")) {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::cyan);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, "JPG"));
        if (kind == QLatin1String("huge")) {
            // Claim 30000 x 30000 in the frame header; the data stays small.
            const qsizetype frame = jpeg.indexOf("\xFF\xC0");
            QVERIFY(frame > 0);
            jpeg[frame + 5] = char(30000 >> 8);
            jpeg[frame + 6] = char(30000 & 0xFF);
            jpeg[frame + 7] = char(30000 >> 8);
            jpeg[frame + 8] = char(30000 & 0xFF);
        } else {
            jpeg.chop(jpeg.size() / 2);
        }
        WriteFile(path, jpeg);
    } else if (kind == QLatin1String("photo")) {
        // Red on the left 400 columns: a picture decoded shrunk shows blue at column 300.
        QImage image(4000, 3000, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QPainter(&image).fillRect(0, 0, 400, 3000, Qt::red);
        QVERIFY(image.save(path, "JPG"));
    } else if (kind == QLatin1String("text")) {
        WriteFile(path, "not a picture");
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("empty")) {
        path.clear();
    }
    WriteFile(m_settings->FilePath(), "[nastaveni]\nnprvni=3\n");
    m_settings->Store(QStringLiteral("obr"), path);
    writeLesson(QStringLiteral("a.txt"), "A", 1);
    const int allocationLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(16); // MB; the whole photo needs 48
    frmmain* window = start();
    QImageReader::setAllocationLimit(allocationLimit);
    QCOMPARE(window->BackgroundPicture().size(), shown);
    if (kind == QLatin1String("photo"))
        QCOMPARE(QColor(window->BackgroundPicture().toImage().pixel(300, 10)).red() > 200, true);
    QCOMPARE(window->Label1()->Caption(), QStringLiteral("Vokabo - A")); // the lesson loads either way
}

void TestMainWindow::noLessonsStillRunsWithoutDesignCaptions()
{
    m_lessons->remove();
    frmmain* window = start();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->lblcesky()->Caption(), QString());
    QCOMPARE(window->lblanglicky2()->Caption(), QString());
    QVERIFY(window->Shape2()->isVisible());
    QCOMPARE(window->Label1()->Caption(), QStringLiteral("www.vokabo.cz"));
    QVERIFY(window->Timer1().isActive());
}

void TestMainWindow::longCaptionWrapsAndPushesTranslationDown()
{
    writeLesson(QStringLiteral("a.txt"), "A", 1, "jeden\xe1\x63tkov\xfd \xf8\xe1\x64\x65k na d\xec rn\xe9m \x9at\xedtku a je\x9at\xec mnohem del\x9a\xed text");
    frmmain* window = start();
    Label* czech = window->lblcesky();
    QVERIFY2(czech->HeightTwips() > 615, qPrintable(QString::number(czech->HeightTwips())));
    QCOMPARE(czech->WidthTwips(), 5295);
    QCOMPARE(window->lblanglicky()->TopTwips(), czech->TopTwips() + czech->HeightTwips());
    QCOMPARE(window->lblcesky2()->HeightTwips(), czech->HeightTwips());
}

void TestMainWindow::mouseMovesCloseOnTheTwentySixth()
{
    writeLesson(QStringLiteral("a.txt"), "A", 1);
    frmmain* window = start();
    const QPoint corner(window->width() - 2, window->height() - 2);
    for (int i = 0; i < 25; ++i) {
        QMouseEvent move(QEvent::MouseMove, corner, window->mapToGlobal(corner), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window, &move);
    }
    QVERIFY(!window->IsUnloaded());
    QMouseEvent move(QEvent::MouseMove, corner, window->mapToGlobal(corner), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window, &move);
    QVERIFY(window->IsUnloaded());
    QVERIFY(!window->isVisible());
}

void TestMainWindow::movesOverVisibleWordsDoNotCount()
{
    writeLesson(QStringLiteral("a.txt"), "A", 1);
    frmmain* window = start();
    const quint8 before = m_program->Variables().MouseMoveCount;
    for (QWidget* target : {static_cast<QWidget*>(window->lblcesky()), static_cast<QWidget*>(window->Label1()),
                            static_cast<QWidget*>(window->Image2())}) {
        for (int i = 0; i < 30; ++i) {
            QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), target->mapToGlobal(QPointF(1, 1)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(target, &move);
        }
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), target->mapToGlobal(QPointF(1, 1)), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
    QCOMPARE(m_program->Variables().MouseMoveCount, before);
    QVERIFY(!window->IsUnloaded());
    // The banner plate takes nothing: a press there lands on the window and ends the run.
    const QPoint onPlate(window->Shape2()->geometry().right() - 3, window->Shape2()->geometry().bottom() - 3);
    QCOMPARE(window->childAt(onPlate), nullptr);
    QTest::mouseClick(window, Qt::RightButton, Qt::NoModifier, onPlate);
    QVERIFY(window->IsUnloaded());
}

void TestMainWindow::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<int>("scanCode");   // the native key code, 0 for a key without one
    QTest::addColumn<int>("virtualKey"); // the native symbol (X, Wayland) or virtual-key code (Windows)
    QTest::newRow("S opens the settings") << int(Qt::Key_S) << int(Qt::NoModifier) << QStringLiteral("dialog") << 0 << 0;
    QTest::newRow("N opens the settings") << int(Qt::Key_N) << int(Qt::NoModifier) << QStringLiteral("dialog") << 0 << 0;
    // Caps Lock gives the capital without a Shift key-down of its own, which would end the run first.
    QTest::newRow("capital S opens the settings") << int(Qt::Key_S) << int(Qt::ShiftModifier) << QStringLiteral("dialog") << 39 << int('S');
    QTest::newRow("Shift+S ends at the Shift") << int(Qt::Key_S) << int(Qt::ShiftModifier) << QStringLiteral("ends") << 0 << 0;
    QTest::newRow("space changes the lesson") << int(Qt::Key_Space) << int(Qt::NoModifier) << QStringLiteral("runs") << 0 << 0;
    QTest::newRow("Shift ends") << int(Qt::Key_Shift) << int(Qt::NoModifier) << QStringLiteral("ends") << 0 << 0;
    QTest::newRow("Escape ends") << int(Qt::Key_Escape) << int(Qt::NoModifier) << QStringLiteral("ends") << 0 << 0;
    QTest::newRow("a letter ends") << int(Qt::Key_A) << int(Qt::NoModifier) << QStringLiteral("ends") << 0 << 0;
    QTest::newRow("Czech letter ends") << int(Qt::Key_Eacute) << int(Qt::NoModifier) << QStringLiteral("ends") << 0 << 0;
    QTest::newRow("Windows, Russian layout: S key") << 0x42B << int(Qt::NoModifier) << QStringLiteral("dialog") << 31 << int('S');
#ifndef Q_OS_WIN
    QTest::newRow("X, Russian layout: S key") << 0x42B << int(Qt::NoModifier) << QStringLiteral("dialog") << 39 << 0x6f9;
    QTest::newRow("X, Russian layout: N key") << 0x422 << int(Qt::NoModifier) << QStringLiteral("dialog") << 57 << 0x6d4;
    QTest::newRow("X, Russian layout: A key ends") << 0x424 << int(Qt::NoModifier) << QStringLiteral("ends") << 38 << 0x6c6;
    QTest::newRow("X, Czech layout: \u010d on the 4 key ends") << 0x10C << int(Qt::NoModifier) << QStringLiteral("ends") << 13 << 0x1e8;
    QTest::newRow("X, Dvorak: the key labelled O where S is ends") << int(Qt::Key_O) << int(Qt::NoModifier) << QStringLiteral("ends") << 39 << int('o');
#endif
}

void TestMainWindow::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, outcome);
    writeLesson(QStringLiteral("a.txt"), "A", 1);
    writeLesson(QStringLiteral("b.txt"), "B", 1);
    *m_random = ScriptedRandom({0.0f});
    frmmain* window = start();
    QCOMPARE(window->Label1()->Caption(), QStringLiteral("Vokabo - A"));
    *m_random = ScriptedRandom({0.9f});
    QFETCH(int, scanCode);
    QFETCH(int, virtualKey);
    if (scanCode || virtualKey) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), quint32(scanCode), quint32(virtualKey), 0);
        QApplication::sendEvent(window, &press);
    } else {
        QTest::keyClick(window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    }
    if (outcome == QLatin1String("runs")) {
        QVERIFY(!window->IsUnloaded());
        QCOMPARE(window->Label1()->Caption(), QStringLiteral("Vokabo - B"));
        QCOMPARE(m_program->Variables().BannerTick, qint16(20));
    } else {
        QVERIFY(window->IsUnloaded());
    }
    frmnastaveni* dialog = m_program->SettingsDialog();
    QCOMPARE(dialog != nullptr, outcome == QLatin1String("dialog"));
    if (dialog)
        QVERIFY(dialog->Vsporici && dialog->isVisible());
}

void TestMainWindow::spacePicksOnlyChosenLessons()
{
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        writeLesson(QString::fromLatin1(name), QByteArray(name).left(1).toUpper(), 1);
    m_settings->Store(QStringLiteral("lekce"), QStringLiteral("-pribalena/b.txt"));
    // Among all three these would pick A, B and C.
    *m_random = ScriptedRandom({0.0f, 0.5f, 0.99f});
    frmmain* window = start();
    QStringList titles{window->Label1()->Caption()};
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(window, Qt::Key_Space);
        titles << window->Label1()->Caption();
    }
    QCOMPARE(titles, (QStringList{QStringLiteral("Vokabo - A"), QStringLiteral("Vokabo - C"),
                                  QStringLiteral("Vokabo - C")}));
}

void TestMainWindow::spaceDuringLoadStartsOverAndCloseStopsIt()
{
    writeLesson(QStringLiteral("a.txt"), "A", 1);
    frmmain* window = start();
    QCOMPARE(window->Label1()->Caption(), QStringLiteral("Vokabo - A"));

    // A lesson long enough that the load lets events in several times.
    QByteArray big = "Big/x\r\nabout\r\n";
    for (int i = 0; i < 150; ++i)
        big += "dog\r\n2\r\n3\r\npes\r\n5\r\n6\r\n--\r\n";
    big += "tail\r\n2\r\n3\r\n4\r\n5\r\n6\r\n";
    // Short lines, as many as the 4 MiB read holds: each load takes several of the yield's
    // intervals however fast the machine.
    for (int i = 0; i < 1500000; ++i)
        big += "x\r\n";
    WriteFile(m_lessons->filePath(QStringLiteral("a.txt")), big);

    int spaces = 0;
    QTimer presses;
    connect(&presses, &QTimer::timeout, window, [&] {
        if (++spaces <= 2)
            QTest::keyClick(window, Qt::Key_Space);
        else
            QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(window->width() - 2, window->height() - 2));
    });
    presses.start(0);
    QPointer<frmmain> guard(window);
    QTest::keyClick(window, Qt::Key_Space);
    presses.stop();
    QVERIFY(spaces >= 3);
    QVERIFY(guard && guard->IsUnloaded());
    // Stopped mid-file: the banner was never told about the big lesson.
    QCOMPARE(window->Label1()->Caption(), QStringLiteral("Vokabo - A"));
    QVERIFY(m_program->Variables().lesson.WordCount <= 201);
}

void TestMainWindow::lastWindowGoneEndsTheProgram()
{
    writeLesson(QStringLiteral("a.txt"), "A", 1);
    frmmain* window = start();
    QSignalSpy finished(m_program.get(), &Program::finished);
    QTest::keyClick(window, Qt::Key_Q);
    // Outside an event handler nothing returns to the event loop to do the deferred delete.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(finished.wait(2000));
    QVERIFY(!m_program->MainWindow());
}

QTEST_MAIN(TestMainWindow)
#include "tst_frmmain.moc"

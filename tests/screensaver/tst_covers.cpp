#include "dialog/frmnastaveni.h"
#include "screensaver/cover.h"
#include "screensaver/frmmain.h"
#include "screensaver/program.h"
#include "support/scriptedrandom.h"
#include "support/testenvironment.h"
#include "widgets/label.h"

#include <memory>
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QtTest>

// Three screens as Xvfb lists them with two monitors: a virtual screen over both, primary
// and first, then the monitors themselves, of different sizes.
static const QRect Virtual(0, 0, 1824, 768), First(0, 0, 1024, 768), Second(1024, 0, 800, 600);

class TestCovers : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void everyMonitorCoveredOnce();
    void inputOnACoverCounts_data();
    void inputOnACoverCounts();
    void settingsTakeTheCoversAndBringThemBack();

private:
    QList<Cover*> covers() const;
    frmmain* start();

    std::unique_ptr<TemporarySettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_lessons;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<ScopedRandom> m_scopedRandom;
    ScriptedRandom m_random{{0.5f}};
};

void TestCovers::init()
{
    m_settings = std::make_unique<TemporarySettings>();
    WriteFile(m_settings->FilePath(), "[nastaveni]\nnprvni=3\nbpozadi=255\n");
    m_lessons = std::make_unique<QTemporaryDir>();
    WriteFile(m_lessons->filePath(QStringLiteral("a.txt")),
              "A/x\r\nabout\r\ndog\r\n2\r\n3\r\npes\r\n5\r\n6\r\n--\r\n");
    m_scopedRandom = std::make_unique<ScopedRandom>(m_random);
}

void TestCovers::cleanup()
{
    if (m_program) {
        delete m_program->MainWindow();
        delete m_program->SettingsDialog();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_program.reset();
    m_scopedRandom.reset();
    m_settings.reset();
    m_lessons.reset();
}

QList<Cover*> TestCovers::covers() const
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<Cover*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* cover = qobject_cast<Cover*>(widget); cover && cover->isVisible())
            found << cover;
    return found;
}

frmmain* TestCovers::start()
{
    m_program = std::make_unique<Program>(
        Program::Options{QStringLiteral("/s"), false, m_lessons->path(), nullptr});
    m_program->Start();
    return m_program->MainWindow();
}

void TestCovers::everyMonitorCoveredOnce()
{
    QCOMPARE(QGuiApplication::screens().size(), 3);
    frmmain* window = start();
    QCOMPARE(window->geometry(), First);
    QTRY_COMPARE(covers().size(), 1);
    // The word cycle places words within the monitor, not within the virtual screen.
    QVERIFY(window->lblcesky()->geometry().right() < First.right());
    const QList<Cover*> shown = covers();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0]->geometry(), Second);
    QCOMPARE(shown[0]->cursor().shape(), Qt::BlankCursor);
    QCOMPARE(shown[0]->grab().toImage().pixelColor(10, 10), QColor(Qt::red));
}

void TestCovers::inputOnACoverCounts_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("ends");
    QTest::newRow("25 moves over main window and cover") << QStringLiteral("moves 25") << false;
    QTest::newRow("the 26th move on the cover") << QStringLiteral("moves 26") << true;
    QTest::newRow("click") << QStringLiteral("click") << true;
    QTest::newRow("key") << QStringLiteral("key") << true;
    QTest::newRow("space") << QStringLiteral("space") << false;
}

void TestCovers::inputOnACoverCounts()
{
    QFETCH(QString, input);
    frmmain* window = start();
    QTRY_COMPARE(covers().size(), 1);
    Cover* cover = covers().value(0);
    QVERIFY(cover);
    QPointer<Cover> guard(cover);
    const auto move = [](QWidget* target) {
        QMouseEvent event(QEvent::MouseMove, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    if (input.startsWith(QLatin1String("moves"))) {
        const int count = input.section(QLatin1Char(' '), 1).toInt();
        for (int i = 0; i < count; ++i)
            move(i % 2 == 0 && i + 1 < count ? static_cast<QWidget*>(window) : cover);
    } else if (input == QLatin1String("click")) {
        QTest::mouseClick(cover, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    } else {
        QTest::keyClick(cover, input == QLatin1String("key") ? Qt::Key_X : Qt::Key_Space);
    }
    QFETCH(bool, ends);
    QCOMPARE(window->IsUnloaded(), ends);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(guard.isNull(), ends);
}

void TestCovers::settingsTakeTheCoversAndBringThemBack()
{
    frmmain* window = start();
    QTRY_COMPARE(covers().size(), 1);
    QTest::keyClick(covers().value(0), Qt::Key_S);
    QVERIFY(window->IsUnloaded());
    QVERIFY(covers().isEmpty());
    frmnastaveni* dialog = m_program->SettingsDialog();
    QVERIFY(dialog && dialog->Vsporici);
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_program->MainWindow() && m_program->MainWindow()->isVisible());
    QTRY_COMPARE(covers().size(), 1);
}

int main(int argc, char* argv[])
{
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("screens.json"));
    const auto screen = [](const char* name, const QRect& r) {
        return QStringLiteral("{\"name\": \"%1\", \"x\": %2, \"y\": %3, \"width\": %4, \"height\": "
                              "%5, \"logicalDpi\": 96}")
            .arg(QLatin1String(name))
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height());
    };
    WriteFile(config,
              QStringLiteral("{\"screens\": [%1, %2, %3]}")
                  .arg(screen("virtual", Virtual), screen("first", First), screen("second", Second))
                  .toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestCovers test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_covers.moc"

#include "dialog/frmnastaveni.h"
#include "fakedialogs.h"
#include "screensaver/frmmain.h"
#include "screensaver/program.h"
#include "support/testenvironment.h"

#include <memory>
#include <QAbstractButton>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

// The dialog as the program opens it: by "/c" alone, or by S in the running saver, which
// comes back when the dialog closes.
class TestSettingsRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init();
    void cleanup();

    void settingsSwitchEndsWithTheDialog_data();
    void settingsSwitchEndsWithTheDialog();
    void saverComesBackAfterTheDialog_data();
    void saverComesBackAfterTheDialog();

private:
    void start(const QString& argument);
    void closeBy(const QString& how);
    void click(const char* name)
    {
        QTest::mouseClick(
            m_program->SettingsDialog()->findChild<QAbstractButton*>(QLatin1String(name)),
            Qt::LeftButton);
    }

    std::unique_ptr<TemporarySettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_lessons;
    FakeDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
};

void TestSettingsRoundTrip::init()
{
    m_settings = std::make_unique<TemporarySettings>();
    m_settings->StoreAll(
        {u"3"_s, u"3"_s, u"1"_s, u"0"_s, u"255"_s, u"16777215"_s, u"14737632"_s, u""_s});
    m_lessons = std::make_unique<QTemporaryDir>();
    WriteFile(m_lessons->filePath(u"zvirata.txt"_s),
              "Zvířata/Animals\nLekce 1\ndog\n[dog]\npodstatné jméno\npes\nmn. č. dogs\n"
              "The dog barks.|Pes štěká.\n--\n");
    m_dialogs = FakeDialogs();
}

void TestSettingsRoundTrip::cleanup()
{
    if (!m_program)
        return;
    if (frmnastaveni* dialog = m_program->SettingsDialog()) {
        dialog->Vsporici = false;
        dialog->close();
    }
    if (frmmain* window = m_program->MainWindow())
        window->Unload();
    QTRY_VERIFY(!m_program->HasWindows());
    m_program.reset();
    m_lessons.reset();
    m_settings.reset();
}

void TestSettingsRoundTrip::start(const QString& argument)
{
    m_program =
        std::make_unique<Program>(Program::Options{argument, false, m_lessons->path(), &m_dialogs});
    QVERIFY(m_program->Start());
}

void TestSettingsRoundTrip::closeBy(const QString& how)
{
    if (how == u"OK")
        click("cmdOk");
    else if (how == u"Storno")
        click("CmdStorno");
    else if (how == u"close box")
        m_program->SettingsDialog()->close();
    else if (how == u"defaults, then Storno") {
        click("cmdpuv");
        click("CmdStorno");
    }
}

void TestSettingsRoundTrip::settingsSwitchEndsWithTheDialog_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK") << u"OK"_s;
    QTest::newRow("Storno") << u"Storno"_s;
    QTest::newRow("close box") << u"close box"_s;
}

void TestSettingsRoundTrip::settingsSwitchEndsWithTheDialog()
{
    QFETCH(QString, how);
    start(u"/c"_s);
    QSignalSpy finished(m_program.get(), &Program::finished);
    QPointer<frmnastaveni> dialog = m_program->SettingsDialog();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!dialog->Vsporici);
    QTRY_VERIFY(!m_program->MainWindow());

    closeBy(how);
    QTRY_COMPARE(finished.size(), 1);
    QVERIFY(!dialog);
    QVERIFY(!m_program->MainWindow());
    for (const QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
}

void TestSettingsRoundTrip::saverComesBackAfterTheDialog_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QColor>("background");
    QTest::newRow("OK, with the colour just chosen") << u"OK"_s << QColor(Qt::blue);
    QTest::newRow("Storno, with the old colour") << u"Storno"_s << QColor(Qt::red);
    QTest::newRow("close box, with the old colour") << u"close box"_s << QColor(Qt::red);
    QTest::newRow("defaults, then Storno") << u"defaults, then Storno"_s << QColor(Qt::black);
}

void TestSettingsRoundTrip::saverComesBackAfterTheDialog()
{
    QFETCH(QString, how);
    QFETCH(QColor, background);
    start(u"/s"_s);
    QSignalSpy finished(m_program.get(), &Program::finished);
    QPointer<frmmain> saver = m_program->MainWindow();
    QVERIFY(saver && saver->isVisible());
    QCOMPARE(saver->BackColor(), QColor(Qt::red));

    QTest::keyClick(saver, Qt::Key_S);
    QPointer<frmnastaveni> dialog = m_program->SettingsDialog();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(dialog->Vsporici);
    QTRY_VERIFY(!saver);

    m_dialogs.colourAnswers = {QColor(Qt::blue)};
    click("optVzhled");
    click("cmdpozadi");
    closeBy(how);
    QTRY_VERIFY(!dialog);

    frmmain* back = m_program->MainWindow();
    QVERIFY(back && back->isVisible());
    QCOMPARE(back->BackColor(), background);
    QTest::qWait(10);
    QCOMPARE(finished.size(), 0);
}

QTEST_MAIN(TestSettingsRoundTrip)
#include "tst_settingsdialog_roundtrip.moc"

#include "dialog/qtczech.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QtTest>

// Qt's choosers come up in English unless the program hands Qt its Czech catalogue.
class TestQtCzech : public QObject {
    Q_OBJECT
private slots:
    void choosersSpeakCzech();
};

void TestQtCzech::choosersSpeakCzech()
{
    QVERIFY(InstallQtCzech());
    QColorDialog colours;
    QVERIFY(!colours.windowTitle().isEmpty());
    QVERIFY2(colours.windowTitle() != QStringLiteral("Select Color"),
             qPrintable(colours.windowTitle()));
    QCOMPARE(QFileDialog::tr("Look in:") == QStringLiteral("Look in:"), false);
}

QTEST_MAIN(TestQtCzech)
#include "tst_qtczech.moc"

#include "screensaver/screenlayout.h"

#include <QtTest>

class TestScreenLayout : public QObject {
    Q_OBJECT
private slots:
    void layOut_data();
    void layOut();
};

void TestScreenLayout::layOut_data()
{
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<int>("primary");
    QTest::addColumn<int>("main");
    QTest::addColumn<QList<int>>("covers");
    const QRect left(0, 0, 1280, 1024), right(1280, 0, 1280, 1024), both(0, 0, 2560, 1024);
    QTest::newRow("one screen") << QList<QRect>{left} << 0 << 0 << QList<int>{};
    QTest::newRow("two monitors") << QList<QRect>{left, right} << 0 << 0 << QList<int>{1};
    QTest::newRow("primary on the right") << QList<QRect>{left, right} << 1 << 1 << QList<int>{0};
    QTest::newRow("virtual screen over both, listed first and primary")
        << QList<QRect>{both, left, right} << 0 << 1 << QList<int>{2};
    QTest::newRow("virtual screen over both, primary, its corner's monitor listed last")
        << QList<QRect>{both, right, left} << 0 << 2 << QList<int>{1};
    QTest::newRow("virtual screen over both, not primary")
        << QList<QRect>{left, right, both} << 1 << 1 << QList<int>{0};
    QTest::newRow("mirrored monitor gets no second cover")
        << QList<QRect>{left, left, right} << 1 << 1 << QList<int>{2};
    QTest::newRow("screen without area") << QList<QRect>{left, QRect()} << 0 << 0 << QList<int>{};
    QTest::newRow("no primary known") << QList<QRect>{left, right} << -1 << 0 << QList<int>{1};
    QTest::newRow("no screen") << QList<QRect>{} << -1 << -1 << QList<int>{};
}

void TestScreenLayout::layOut()
{
    QFETCH(QList<QRect>, screens);
    QFETCH(int, primary);
    const ScreenLayout layout = LayOutScreens(screens, primary);
    QTEST(layout.main, "main");
    QTEST(layout.covers, "covers");
}

QTEST_GUILESS_MAIN(TestScreenLayout)
#include "tst_screenlayout.moc"

#include "settings/numeric.h"

#include <QtTest>

class TestNumeric : public QObject {
    Q_OBJECT
private slots:
    void numericTest_data();
    void numericTest();
    void delayConversion_data();
    void delayConversion();
    void colourText_data();
    void colourText();
};

void TestNumeric::numericTest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("digit") << QStringLiteral("3") << true;
    QTest::newRow("blanks around") << QStringLiteral("  12 ") << true;
    QTest::newRow("tab around") << QStringLiteral("\t4\t") << true;
    QTest::newRow("plus sign") << QStringLiteral("+5") << true;
    QTest::newRow("minus sign") << QStringLiteral("-1") << true;
    QTest::newRow("decimal point") << QStringLiteral("2.5") << true;
    QTest::newRow("Czech decimal comma") << QStringLiteral("2,5") << true;
    QTest::newRow("no digits before separator") << QStringLiteral(".5") << true;
    QTest::newRow("separator at end") << QStringLiteral("3.") << true;
    QTest::newRow("leading zero") << QStringLiteral("007") << true;
    QTest::newRow("huge") << QStringLiteral("99999999999999999999") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("only blanks") << QStringLiteral("   ") << false;
    QTest::newRow("word") << QStringLiteral("tři") << false;
    QTest::newRow("digits then word") << QStringLiteral("3s") << false;
    QTest::newRow("blank inside") << QStringLiteral("1 2") << false;
    QTest::newRow("sign alone") << QStringLiteral("-") << false;
    QTest::newRow("separator alone") << QStringLiteral(".") << false;
    QTest::newRow("two separators") << QStringLiteral("1.2.3") << false;
    QTest::newRow("sign after blank inside") << QStringLiteral("- 1") << false;
    QTest::newRow("exponent") << QStringLiteral("1e9") << false;
    QTest::newRow("hexadecimal") << QStringLiteral("0xFF") << false;
    QTest::newRow("infinity") << QStringLiteral("inf") << false;
    QTest::newRow("not a number") << QStringLiteral("nan") << false;
}

void TestNumeric::numericTest()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(IsNumeric(text), numeric);
}

void TestNumeric::delayConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("delay");
    QTest::newRow("two and a half goes to even 2") << QStringLiteral("2,5") << 2;
    QTest::newRow("three and a half goes to even 4") << QStringLiteral("3.5") << 4;
    QTest::newRow("minus one") << QStringLiteral("-1") << -1;
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("minus half goes to zero") << QStringLiteral("-0.5") << 0;
    QTest::newRow("2.6 rounds up") << QStringLiteral("2.6") << 3;
    QTest::newRow("largest") << QStringLiteral("32767") << 32767;
    QTest::newRow("forty thousand held at the top") << QStringLiteral("40000") << 32767;
    QTest::newRow("below the range held at the bottom") << QStringLiteral("-32769") << -32768;
    QTest::newRow("far beyond") << QStringLiteral("99999999999999999999") << 32767;
    QTest::newRow("more digits than a double holds") << QString(400, QLatin1Char('9')) << 32767;
    QTest::newRow("negative beyond a double") << QStringLiteral("-") + QString(400, QLatin1Char('9')) << -32768;
}

void TestNumeric::delayConversion()
{
    QFETCH(QString, text);
    QFETCH(int, delay);
    const auto value = NumericValue(text);
    QVERIFY(value);
    QCOMPARE(int(ToInteger16(*value)), delay);
}

void TestNumeric::colourText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<quint32>("number");
    QTest::newRow("black") << QStringLiteral("0") << true << 0u;
    QTest::newRow("white") << QStringLiteral("16777215") << true << 0xFFFFFFu;
    QTest::newRow("system window colour") << QStringLiteral("-2147483643") << true << 0x80000005u;
    QTest::newRow("minus zero") << QStringLiteral("-0") << true << 0u;
    QTest::newRow("word") << QStringLiteral("abc") << false << 0u;
    QTest::newRow("empty") << QString() << false << 0u;
    QTest::newRow("beyond 32 bits") << QStringLiteral("99999999999") << false << 0u;
    QTest::newRow("below 32 bits") << QStringLiteral("-2147483649") << false << 0u;
    QTest::newRow("beyond a double") << QString(400, QLatin1Char('9')) << false << 0u;
}

void TestNumeric::colourText()
{
    QFETCH(QString, text);
    QFETCH(bool, usable);
    QFETCH(quint32, number);
    const auto colour = ColourNumberFromText(text);
    QCOMPARE(colour.has_value(), usable);
    if (usable) {
        QCOMPARE(*colour, number);
        QCOMPARE(ColourNumberFromText(ColourNumberToText(*colour)), colour);
    }
}

QTEST_GUILESS_MAIN(TestNumeric)
#include "tst_numeric.moc"

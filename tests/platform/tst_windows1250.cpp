#include "platform/windows1250.h"

#include <QtTest>

class TestWindows1250 : public QObject {
    Q_OBJECT
private slots:
    void letters_data();
    void letters();
    void everyDefinedByteComesBack();
    void textOutsideTheCodePage_data();
    void textOutsideTheCodePage();
};

void TestWindows1250::letters_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("small Czech letters")
        << QByteArray("\xec\x9a\xe8\xf8\x9e\xfd\xe1\xed\xe9\xfa\xf9\x9d\xef\xf2\xf3")
        << QStringLiteral("ěščřžýáíéúůťďňó");
    QTest::newRow("capital Czech letters")
        << QByteArray("\xcc\x8a\xc8\xd8\x8e\xdd\xc1\xcd\xc9\xda\xd9\x8d\xcf\xd2\xd3")
        << QStringLiteral("ĚŠČŘŽÝÁÍÉÚŮŤĎŇÓ");
    QTest::newRow("quotes, dash, euro, no-break space")
        << QByteArray("\x84\x93\x96\x80\xa0") << QStringLiteral("„“–€\u00a0");
    QTest::newRow("Polish and Hungarian letters")
        << QByteArray("\xb9\xea\xb3\xf5\xfb") << QStringLiteral("ąęłőű");
    QTest::newRow("ASCII stays ASCII") << QByteArray("pes|Dog.") << QStringLiteral("pes|Dog.");
}

void TestWindows1250::letters()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(Windows1250::Decode(bytes), text);
    QCOMPARE(Windows1250::Encode(text), std::optional<QByteArray>(bytes));
}

void TestWindows1250::everyDefinedByteComesBack()
{
    for (int byte = 1; byte <= 0xFF; ++byte) {
        const QByteArray one(1, char(byte));
        const QString text = Windows1250::Decode(one);
        QCOMPARE(text.size(), 1);
        const bool undefined =
            byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
        QCOMPARE(Windows1250::Encode(text), undefined ? std::nullopt : std::optional(one));
    }
}

void TestWindows1250::textOutsideTheCodePage_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("German sharp s fits, Cyrillic does not") << QStringLiteral("ßд");
    QTest::newRow("a letter the code page lacks") << QStringLiteral("ñ");
    QTest::newRow("a control character it leaves undefined") << QStringLiteral("a\u0081");
    QTest::newRow("beyond the basic plane") << QStringLiteral("\U0001F600");
}

void TestWindows1250::textOutsideTheCodePage()
{
    QFETCH(QString, text);
    QCOMPARE(Windows1250::Encode(text), std::nullopt);
}

QTEST_GUILESS_MAIN(TestWindows1250)
#include "tst_windows1250.moc"

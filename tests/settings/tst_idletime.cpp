#include "settings/idletime.h"
#include "settings/keys.h"
#include "support/testenvironment.h"

#include <QtTest>

class TestIdleTime : public QObject {
    Q_OBJECT
private slots:
    void stored_data();
    void stored();
};

// What the idle watcher makes of the stored key; the dialog takes the same texts or refuses
// them.
void TestIdleTime::stored_data()
{
    QTest::addColumn<QString>("text"); // "missing": no such key
    QTest::addColumn<qint64>("milliseconds");
    const qint64 byDefault = 5 * 60'000;
    QTest::newRow("missing") << QStringLiteral("missing") << byDefault;
    QTest::newRow("whole minutes") << QStringLiteral("10") << qint64(600'000);
    QTest::newRow("decimal comma") << QStringLiteral("1,5") << qint64(90'000);
    QTest::newRow("blanks around") << QStringLiteral(" 2 ") << qint64(120'000);
    QTest::newRow("the longest") << QStringLiteral("9999") << qint64(9999) * 60'000;
    QTest::newRow("zero") << QStringLiteral("0") << byDefault;
    QTest::newRow("under a minute") << QStringLiteral("0.5") << byDefault;
    QTest::newRow("negative") << QStringLiteral("-3") << byDefault;
    QTest::newRow("a word") << QStringLiteral("pět") << byDefault;
    QTest::newRow("empty") << QString() << byDefault;
    QTest::newRow("beyond the longest") << QStringLiteral("10000") << byDefault;
}

void TestIdleTime::stored()
{
    QFETCH(QString, text);
    QFETCH(qint64, milliseconds);
    TemporarySettings settings;
    if (text != QLatin1String("missing"))
        settings.Store(SettingsKeys::necinnost, text);
    QCOMPARE(IdleTime::Stored().count(), milliseconds);
    QCOMPARE(IdleTime::MinutesFromText(text).has_value(), milliseconds != 5 * 60'000);
}

QTEST_GUILESS_MAIN(TestIdleTime)
#include "tst_idletime.moc"

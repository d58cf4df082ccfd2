#include "lessons/randomgenerator.h"

#include <QtTest>
#include <vector>

// The real generator, not a scripted one: what decides whether every entry and every
// lesson can come up.
class TestRandomGenerator : public QObject {
    Q_OBJECT
private slots:
    void numbersCoverZeroToOne();
    void indicesCoverEveryEntryEvenly_data();
    void indicesCoverEveryEntryEvenly();
};

void TestRandomGenerator::numbersCoverZeroToOne()
{
    RandomGenerator& random = RandomGenerator::Instance();
    constexpr int draws = 100000;
    double sum = 0;
    float lowest = 1;
    float highest = 0;
    for (int i = 0; i < draws; ++i) {
        const float r = random.Next();
        QVERIFY2(r >= 0.0f && r < 1.0f, qPrintable(QString::number(r)));
        sum += r;
        lowest = qMin(lowest, r);
        highest = qMax(highest, r);
    }
    QVERIFY(lowest < 0.01f);
    QVERIFY(highest > 0.99f);
    QVERIFY2(qAbs(sum / draws - 0.5) < 0.02, qPrintable(QString::number(sum / draws)));
}

void TestRandomGenerator::indicesCoverEveryEntryEvenly_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("reseed");
    QTest::newRow("two lessons") << 2 << false;
    QTest::newRow("three lessons") << 3 << false;
    QTest::newRow("a full lesson") << 201 << false;
    QTest::newRow("a full lesson, reseeded before each draw as the word cycle does") << 201 << true;
}

// Each index should come up about as often as any other; the first and the last are where
// a rounded index instead of a floored one loses half of its share.
void TestRandomGenerator::indicesCoverEveryEntryEvenly()
{
    QFETCH(int, count);
    QFETCH(bool, reseed);
    RandomGenerator& random = RandomGenerator::Instance();
    constexpr int perIndex = 400;
    std::vector<int> hits(count, 0);
    for (int i = 0; i < count * perIndex; ++i) {
        if (reseed)
            random.Reseed();
        const int index = RandomIndexBelow(random.Next(), count);
        QVERIFY(index >= 0 && index < count);
        ++hits[index];
    }
    for (int index = 0; index < count; ++index) {
        QVERIFY2(hits[index] > perIndex * 6 / 10 && hits[index] < perIndex * 14 / 10,
                 qPrintable(QStringLiteral("index %1 of %2 came %3 times")
                                .arg(index)
                                .arg(count)
                                .arg(hits[index])));
    }
}

QTEST_GUILESS_MAIN(TestRandomGenerator)
#include "tst_randomgenerator.moc"

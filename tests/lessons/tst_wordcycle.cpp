#include "lessons/wordcycle.h"
#include "support/scriptedrandom.h"

#include <map>
#include <memory>
#include <QtTest>

namespace {

using enum WordLabel;
constexpr WordLabel Details[] = {lblvyslovnost, lblvyslovnost2, lblpriklad,
                                 lblpriklad2,   lblpreklad,     lblpreklad2};

struct FakeLabel {
    QString caption = QStringLiteral("Label1");
    bool visible = true;
    int left = 0, top = 0, width = 5295, height = 615;
};

// The four labels on a 1024 x 768 screen, in twips.
class FakeLabels : public WordLabels {
public:
    FakeLabels()
    {
        labels[WordLabel::lblcesky] = {QStringLiteral("Label1"), true, 3480, 5880};
        labels[WordLabel::lblanglicky] = {QStringLiteral("Label1"), true, 3480, 6480};
        labels[WordLabel::lblcesky2] = {QStringLiteral("Label1"), true, 3540, 5940};
        labels[WordLabel::lblanglicky2] = {QStringLiteral("Label1"), true, 3540, 6540};
        for (const WordLabel detail : Details)
            labels[detail] = {QString(), false, 3480, 7200, 5295, 0};
    }
    void SetVisible(WordLabel l, bool v) override { labels[l].visible = v; }
    void SetCaption(WordLabel l, const QString& c) override
    {
        labels[l].caption = c;
        // As the real labels do, a caption that wraps makes its label taller at once.
        if (const auto wrapped = heights.find(c); wrapped != heights.end())
            labels[l].height = wrapped->second;
        ++captionChanges;
    }
    QString Caption(WordLabel l) const override { return labels.at(l).caption; }
    int Left(WordLabel l) const override { return labels.at(l).left; }
    int Top(WordLabel l) const override { return labels.at(l).top; }
    int Width(WordLabel l) const override { return labels.at(l).width; }
    int Height(WordLabel l) const override { return labels.at(l).height; }
    void Move(WordLabel l, int left, int top) override
    {
        labels[l].left = left;
        labels[l].top = top;
        if (l == WordLabel::lblcesky)
            ++anchorMoves;
    }
    int ScreenWidth() const override { return screenWidth; }
    int ScreenHeight() const override { return screenHeight; }

    std::map<WordLabel, FakeLabel> labels;
    std::map<QString, int> heights; // captions that wrap, and the height they take
    int screenWidth = 1024 * 15;
    int screenHeight = 768 * 15;
    int captionChanges = 0;
    int anchorMoves = 0;
};

std::unique_ptr<SaverVariables> variables(int first, int second, bool czechFirst, int placement = 0)
{
    auto vars = std::make_unique<SaverVariables>();
    vars->FirstDelay = static_cast<qint16>(first);
    vars->SecondDelay = static_cast<qint16>(second);
    vars->CzechFirst = czechFirst ? VbTrue : VbFalse;
    vars->PlacementMode = static_cast<qint16>(placement);
    vars->ShadowOffset = 20;
    vars->lesson.WordCount = 2;
    vars->lesson.EnglishWords[0] = QStringLiteral("dog");
    vars->lesson.CzechWords[0] = QStringLiteral("pes, psík");
    vars->lesson.EnglishWords[1] = QStringLiteral("cat");
    vars->lesson.CzechWords[1] = QStringLiteral("kočka");
    for (const int i : {0, 1}) {
        vars->lesson.EntryLine2[i] = QStringLiteral("[dog]");
        vars->lesson.EntryLine6Head[i] = QStringLiteral("The dog barks.");
        vars->lesson.EntryLine6Tail[i] = QStringLiteral("Pes štěká celou noc, až sousedé nespí.");
    }
    return vars;
}

// With the details, the pronunciation takes 450 twips, the example one line of 405 and its
// translation two.
void wrapDetails(FakeLabels& labels)
{
    labels.heights[QStringLiteral("[dog]")] = 450;
    labels.heights[QStringLiteral("The dog barks.")] = 405;
    labels.heights[QStringLiteral("Pes štěká celou noc, až sousedé nespí.")] = 810;
    labels.heights[QString()] = 450; // as a real label keeps a line's height without text
}

QRect shownRect(const FakeLabel& l)
{
    return {l.left, l.top, l.width, l.caption.isEmpty() ? 0 : l.height};
}

// Every label that shows text lies on the screen (a shadow may reach 20 twips past it); the words
// and their details stand one under the other in reading order, the English word's pronunciation
// right under it and the example sentences under the pair, the first language's one first; each
// shadow sits ShadowOffset right of and below its label.
void verifyStacking(FakeLabels& labels, bool czechFirst, bool details)
{
    auto& l = labels.labels;
    const QRect screen(0, 0, labels.screenWidth, labels.screenHeight);
    for (const WordLabel label : {lblcesky, lblanglicky, lblvyslovnost, lblpriklad, lblpreklad}) {
        const FakeLabel& fake = l[label];
        if (fake.caption.isEmpty())
            continue;
        QVERIFY2(screen.contains(shownRect(fake)),
                 qPrintable(QStringLiteral("label %1 at %2,%3 %4x%5")
                                .arg(int(label))
                                .arg(fake.left)
                                .arg(fake.top)
                                .arg(fake.width)
                                .arg(fake.height)));
    }
    const QRect czech = shownRect(l[lblcesky]);
    const QRect english = shownRect(l[lblanglicky]);
    QCOMPARE(english.left(), czech.left());
    if (!details) {
        QCOMPARE(english.top(), czechFirst ? czech.bottom() + 1 : czech.top() - english.height());
        return;
    }
    const QRect pronunciation = shownRect(l[lblvyslovnost]);
    const QRect example = shownRect(l[lblpriklad]);
    const QRect translation = shownRect(l[lblpreklad]);
    QCOMPARE(pronunciation.top(), english.top() + english.height());
    if (czechFirst)
        QCOMPARE(english.top(), czech.bottom() + 1);
    else
        QCOMPARE(pronunciation.top() + pronunciation.height() +
                     (pronunciation.height() > 0 ? DetailGap : 0),
                 czech.top());
    const int pairBottom =
        czechFirst ? pronunciation.top() + pronunciation.height() : czech.bottom() + 1;
    const QRect first = czechFirst ? translation : example;
    const QRect second = czechFirst ? example : translation;
    if (first.height() + second.height() > 0)
        QCOMPARE(first.top(), pairBottom + 2 * DetailGap);
    const bool both = first.height() > 0 && second.height() > 0;
    QCOMPARE(second.top(), first.top() + first.height() + (both ? DetailGap : 0));
    for (const WordLabel label : {lblvyslovnost, lblpriklad, lblpreklad})
        QCOMPARE(l[label].left, czech.left());
    const std::pair<WordLabel, WordLabel> shadows[] = {{lblcesky, lblcesky2},
                                                       {lblanglicky, lblanglicky2},
                                                       {lblvyslovnost, lblvyslovnost2},
                                                       {lblpriklad, lblpriklad2},
                                                       {lblpreklad, lblpreklad2}};
    for (const auto& [word, shadow] : shadows) {
        QCOMPARE(QPoint(l[shadow].left, l[shadow].top),
                 QPoint(l[word].left + 20, l[word].top + 20));
        QCOMPARE(l[shadow].caption, l[word].caption);
    }
}

} // namespace

class TestWordCycle : public QObject {
    Q_OBJECT
private slots:
    void cycle_data();
    void cycle();
    void placement_data();
    void placement();
    void placementRange_data();
    void placementRange();
    void drawsInOrder_data();
    void drawsInOrder();
    void captionsAndStacking_data();
    void captionsAndStacking();
    void wordsStayOnScreen_data();
    void wordsStayOnScreen();
    void detailsKeepTheWordsPlace_data();
    void detailsKeepTheWordsPlace();
    void detailsComeWithTheirWord_data();
    void detailsComeWithTheirWord();
    void fixedPlacementNeverMovesTheAnchor_data();
    void fixedPlacementNeverMovesTheAnchor();
    void emptyLessonShowsSlotZero();
    void delaysAddingUpBeyondSixteenBitsStillCycle();
};

void TestWordCycle::cycle_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    // Per tick, what shows after it: N a new word alone, 1 the first word alone, 2 the pair.
    QTest::addColumn<QString>("pattern");
    QTest::newRow("defaults 3 and 3") << 3 << 3 << QStringLiteral("N112222N112222N");
    QTest::newRow("F 1 S 1") << 1 << 1 << QStringLiteral("N22N22N");
    QTest::newRow("F 0 S 2") << 0 << 2 << QStringLiteral("N22N22N");
    QTest::newRow("F 3 S 0") << 3 << 0 << QStringLiteral("N111N111N");
    QTest::newRow("F 1 S 0") << 1 << 0 << QStringLiteral("N1N1N1");
    QTest::newRow("F 0 S 0") << 0 << 0 << QStringLiteral("N1N1N1");
    QTest::newRow("F 0 S 1") << 0 << 1 << QStringLiteral("N1N1N1");
    QTest::newRow("negative F") << -5 << 3 << QStringLiteral("N1N1N1");
    QTest::newRow("F 2 S -1") << 2 << -1 << QStringLiteral("N1N1N1");
    QTest::newRow("F 5 S 1") << 5 << 1 << QStringLiteral("N111122N");
}

void TestWordCycle::cycle()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(QString, pattern);
    for (const bool czechFirst : {true, false}) {
        for (const int placement : {0, 2}) {
            auto vars = variables(first, second, czechFirst, placement);
            FakeLabels labels;
            ScriptedRandom random({0.3f});
            const WordLabel firstWord = czechFirst ? WordLabel::lblcesky : WordLabel::lblanglicky;
            const WordLabel secondWord = czechFirst ? WordLabel::lblanglicky : WordLabel::lblcesky;
            const WordLabel secondShadow =
                czechFirst ? WordLabel::lblanglicky2 : WordLabel::lblcesky2;
            QString seen;
            for (int tick = 0; tick < pattern.size(); ++tick) {
                const int reseedsBefore = random.reseeds;
                WordTick(*vars, labels, random);
                QVERIFY(labels.labels[firstWord].visible);
                QCOMPARE(labels.labels[secondShadow].visible, labels.labels[secondWord].visible);
                if (random.reseeds != reseedsBefore)
                    seen += QLatin1Char('N');
                else
                    seen += labels.labels[secondWord].visible ? QLatin1Char('2') : QLatin1Char('1');
            }
            QVERIFY2(seen == pattern, qPrintable(QStringLiteral("czech first %1, placement %2: %3")
                                                     .arg(czechFirst)
                                                     .arg(placement)
                                                     .arg(seen)));
        }
    }
}

void TestWordCycle::placement_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("screenHeight");
    QTest::addColumn<int>("englishHeight");
    QTest::addColumn<bool>("czechFirst");
    QTest::addColumn<float>("r1");
    QTest::addColumn<float>("r2");
    QTest::addColumn<QPoint>("anchor");
    QTest::newRow("zero keeps the margin")
        << 15360 << 11520 << 615 << true << 0.0f << 0.0f << QPoint(1000, 1000);
    QTest::newRow("half") << 15360 << 11520 << 615 << true << 0.5f << 0.5f
                          << QPoint(1000 + (15360 - 2000 - 5295) / 2,
                                    1000 + (11520 - 2000 - 1230) / 2);
    QTest::newRow("floor, not rounding")
        << 15360 << 11520 << 615 << true << 0.99999994f << 0.99999994f << QPoint(9064, 9289);
    QTest::newRow("English first moves a tall phrase only as far as the screen's edge")
        << 15360 << 11520 << 1440 << false << 0.0f << 0.0f << QPoint(1000, 1440);
    QTest::newRow("English first counts both words below the anchor")
        << 15360 << 11520 << 1440 << false << 0.0f << 0.99999994f
        << QPoint(1000, 11520 - 1000 - 615 - 1440 - 1);
    QTest::newRow("screen too small for the margin keeps the words on it")
        << 6000 << 2000 << 615 << true << 1.0f << 1.0f << QPoint(0, 0);
    QTest::newRow("screen lower than the pair shows the first word")
        << 6000 << 1800 << 1440 << false << 0.5f << 1.0f << QPoint(352, 1440);
}

void TestWordCycle::placement()
{
    QFETCH(int, screenWidth);
    QFETCH(int, screenHeight);
    QFETCH(int, englishHeight);
    QFETCH(bool, czechFirst);
    QFETCH(float, r1);
    QFETCH(float, r2);
    const WordPair pair{5295, 615, englishHeight, czechFirst};
    QTEST(KeepOnScreen(AnchorPlacement(screenWidth, screenHeight, pair, r1, r2), screenWidth,
                       screenHeight, pair),
          "anchor");
}

void TestWordCycle::placementRange_data()
{
    QTest::addColumn<bool>("czechFirst");
    QTest::addColumn<float>("r2");
    QTest::addColumn<int>("czechTop");
    QTest::addColumn<int>("englishTop");
    // One-line words on a 768-pixel screen: the Czech word's top lies in [1000, 9290) twips
    // in either order, so the English word's lies in [385, 8675), that is [26, 578) pixels,
    // when it comes first.
    const float highest = 0.99999994f;
    QTest::newRow("Czech first, lowest draw") << true << 0.0f << 1000 << 1615;
    QTest::newRow("Czech first, highest draw") << true << highest << 9289 << 9904;
    QTest::newRow("English first, lowest draw") << false << 0.0f << 1000 << 385;
    QTest::newRow("English first, highest draw") << false << highest << 9289 << 8674;
}

void TestWordCycle::placementRange()
{
    QFETCH(bool, czechFirst);
    QFETCH(float, r2);
    auto vars = variables(3, 3, czechFirst);
    FakeLabels labels;
    ScriptedRandom random({0.5f, r2, 0.0f});
    WordTick(*vars, labels, random);
    QTEST(labels.labels[WordLabel::lblcesky].top, "czechTop");
    QTEST(labels.labels[WordLabel::lblanglicky].top, "englishTop");
}

void TestWordCycle::drawsInOrder_data()
{
    QTest::addColumn<int>("placement");
    QTest::addColumn<bool>("details");
    QTest::addColumn<QString>("log");
    for (const bool details : {false, true}) {
        const char* with = details ? "with" : "without";
        QTest::addRow("random places draw twice, reseed, then the entry, %s details", with)
            << 0 << details << QStringLiteral("NNSN");
        for (const int placement : {1, 2, 3, 4})
            QTest::addRow("fixed place %d draws only the entry, %s details", placement, with)
                << placement << details << QStringLiteral("SN");
    }
}

void TestWordCycle::drawsInOrder()
{
    QFETCH(int, placement);
    QFETCH(bool, details);
    auto vars = variables(3, 3, true, placement);
    vars->ShowDetails = details;
    FakeLabels labels;
    ScriptedRandom random;
    WordTick(*vars, labels, random);
    QTEST(random.log, "log");
}

void TestWordCycle::captionsAndStacking_data()
{
    QTest::addColumn<QString>("czech");
    QTest::addColumn<QString>("english");
    QTest::addColumn<bool>("czechFirst");
    QTest::addColumn<QString>("czechShown");
    QTest::newRow("alternatives cut at the first comma")
        << QStringLiteral("pes, psík") << QStringLiteral("dog") << true << QStringLiteral("pes");
    QTest::newRow("single word whole")
        << QStringLiteral("pes") << QStringLiteral("dog") << false << QStringLiteral("pes");
    QTest::newRow("leading comma shows nothing")
        << QStringLiteral(",pes") << QStringLiteral("dog") << true << QString();
    QTest::newRow("English commas shown whole")
        << QStringLiteral("a") << QStringLiteral("well, well") << false << QStringLiteral("a");
}

void TestWordCycle::captionsAndStacking()
{
    QFETCH(QString, czech);
    QFETCH(QString, english);
    QFETCH(bool, czechFirst);
    auto vars = variables(3, 3, czechFirst);
    vars->lesson.WordCount = 1;
    vars->lesson.CzechWords[0] = czech;
    vars->lesson.EnglishWords[0] = english;
    FakeLabels labels;
    labels.labels[WordLabel::lblanglicky].height = 1230; // a caption wrapped onto two lines
    ScriptedRandom random({0.25f, 0.75f, 0.9f});
    WordTick(*vars, labels, random);

    auto& l = labels.labels;
    QTEST(l[WordLabel::lblcesky].caption, "czechShown");
    QCOMPARE(l[WordLabel::lblanglicky].caption, english);
    QCOMPARE(l[WordLabel::lblcesky2].caption, l[WordLabel::lblcesky].caption);
    QCOMPARE(l[WordLabel::lblanglicky2].caption, english);

    const FakeLabel& anchor = l[WordLabel::lblcesky];
    QCOMPARE(QPoint(anchor.left, anchor.top),
             AnchorPlacement(15360, 11520, {5295, 615, 1230, czechFirst}, 0.25f, 0.75f));
    const int englishTop = czechFirst ? anchor.top + anchor.height : anchor.top - 1230;
    QCOMPARE(QPoint(l[WordLabel::lblanglicky].left, l[WordLabel::lblanglicky].top),
             QPoint(anchor.left, englishTop));
    QCOMPARE(QPoint(l[WordLabel::lblcesky2].left, l[WordLabel::lblcesky2].top),
             QPoint(anchor.left + 20, anchor.top + 20));
    QCOMPARE(QPoint(l[WordLabel::lblanglicky2].left, l[WordLabel::lblanglicky2].top),
             QPoint(anchor.left + 20, englishTop + 20));
}

void TestWordCycle::wordsStayOnScreen_data()
{
    QTest::addColumn<int>("placement");
    QTest::addColumn<bool>("czechFirst");
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("anchorTop"); // where the Czech label stands before the tick
    QTest::addColumn<bool>("details");
    for (const bool details : {false, true}) {
        for (const bool czechFirst : {true, false}) {
            const QByteArray order = QByteArray(czechFirst ? "Czech first" : "English first") +
                                     (details ? ", with details" : "");
            const char* o = order.constData();
            QTest::addRow("random place at the top, %s", o)
                << 0 << czechFirst << 0.0f << 5880 << details;
            QTest::addRow("random place at the bottom, %s", o)
                << 0 << czechFirst << 0.99999994f << 5880 << details;
            QTest::addRow("fixed place near the bottom, %s", o)
                << 1 << czechFirst << 0.5f << 10500 << details;
            QTest::addRow("fixed place near the top, %s", o)
                << 4 << czechFirst << 0.5f << 300 << details;
        }
    }
}

// A four-line phrase after a one-line word: the room it needs is known only once its
// caption is set, and in English-first order it stands above the anchor.
void TestWordCycle::wordsStayOnScreen()
{
    QFETCH(int, placement);
    QFETCH(bool, czechFirst);
    QFETCH(float, r);
    QFETCH(int, anchorTop);
    QFETCH(bool, details);
    auto vars = variables(3, 3, czechFirst, placement);
    vars->lesson.WordCount = 1;
    vars->lesson.EnglishWords[0] = QStringLiteral("to be at one's wits' end");
    vars->ShowDetails = details;
    FakeLabels labels;
    labels.heights[QStringLiteral("to be at one's wits' end")] = 4 * 615;
    wrapDetails(labels);
    labels.labels[WordLabel::lblcesky].top = anchorTop;
    ScriptedRandom random({r, r, 0.0f});
    WordTick(*vars, labels, random);
    verifyStacking(labels, czechFirst, details);
}

void TestWordCycle::detailsKeepTheWordsPlace_data()
{
    QTest::addColumn<bool>("czechFirst");
    QTest::addColumn<float>("r2");
    QTest::addColumn<int>("anchorTop");
    QTest::addColumn<QString>("pronunciation");
    // The whole with the details reaches 3255 twips below the anchor with Czech first, and
    // 1185 above and 2190 below it with English first. Where that fits, the words stand
    // where they stand without the details; elsewhere they move only to the screen's edge.
    const float highest = 0.99999994f;
    const QString dog = QStringLiteral("[dog]");
    QTest::newRow("Czech first, lowest draw") << true << 0.0f << 1000 << dog;
    QTest::newRow("Czech first, middle draw") << true << 0.5f << 5145 << dog;
    QTest::newRow("Czech first, highest draw, moved up to the bottom edge")
        << true << highest << 11520 - 3255 << dog;
    QTest::newRow("Czech first, highest draw, no pronunciation takes no room")
        << true << highest << 11520 - 3255 + 450 << QString();
    QTest::newRow("English first, lowest draw, moved down to the top edge")
        << false << 0.0f << 1185 << dog;
    QTest::newRow("English first, lowest draw, no pronunciation takes no room")
        << false << 0.0f << 1000 << QString();
    QTest::newRow("English first, middle draw") << false << 0.5f << 5145 << dog;
    QTest::newRow("English first, highest draw") << false << highest << 9289 << dog;
}

void TestWordCycle::detailsKeepTheWordsPlace()
{
    QFETCH(bool, czechFirst);
    QFETCH(float, r2);
    auto vars = variables(3, 3, czechFirst);
    vars->ShowDetails = true;
    QFETCH(QString, pronunciation);
    vars->lesson.EntryLine2[0] = pronunciation;
    FakeLabels labels;
    wrapDetails(labels);
    ScriptedRandom random({0.5f, r2, 0.0f});
    WordTick(*vars, labels, random);
    QTEST(labels.labels[lblcesky].top, "anchorTop");
    verifyStacking(labels, czechFirst, true);
}

void TestWordCycle::detailsComeWithTheirWord_data()
{
    QTest::addColumn<bool>("czechFirst");
    QTest::addColumn<bool>("details");
    QTest::newRow("Czech first") << true << true;
    QTest::newRow("English first") << false << true;
    QTest::newRow("Czech first, details off") << true << false;
    QTest::newRow("English first, details off") << false << false;
}

// The pronunciation and the example show exactly while the English word does, the
// example's translation while the Czech word does; without the details nothing of them
// is touched.
void TestWordCycle::detailsComeWithTheirWord()
{
    QFETCH(bool, czechFirst);
    QFETCH(bool, details);
    auto vars = variables(2, 2, czechFirst);
    vars->ShowDetails = details;
    vars->lesson.WordCount = 1;
    vars->lesson.EntryLine6Head[0] = QStringLiteral("I take my dog for a walk.");
    vars->lesson.EntryLine6Tail[0] = QStringLiteral("Chodím se psem na procházku.");
    FakeLabels labels;
    const auto before = labels.labels;
    ScriptedRandom random({0.3f});
    auto& l = labels.labels;
    for (int tick = 0; tick < 12; ++tick) {
        WordTick(*vars, labels, random);
        if (!details) {
            for (const WordLabel detail : Details) {
                QCOMPARE(l[detail].visible, false);
                QCOMPARE(l[detail].caption, before.at(detail).caption);
                QCOMPARE(QPoint(l[detail].left, l[detail].top),
                         QPoint(before.at(detail).left, before.at(detail).top));
            }
            continue;
        }
        const bool english = l[lblanglicky].visible;
        const bool czech = l[lblcesky].visible;
        for (const WordLabel label : {lblvyslovnost, lblvyslovnost2, lblpriklad, lblpriklad2})
            QCOMPARE(l[label].visible, english);
        for (const WordLabel label : {lblpreklad, lblpreklad2})
            QCOMPARE(l[label].visible, czech);
    }
    if (details) {
        QCOMPARE(l[lblvyslovnost].caption, QStringLiteral("[dog]"));
        QCOMPARE(l[lblpriklad].caption, QStringLiteral("I take my dog for a walk."));
        QCOMPARE(l[lblpreklad].caption, QStringLiteral("Chodím se psem na procházku."));
    }
}

void TestWordCycle::fixedPlacementNeverMovesTheAnchor_data()
{
    QTest::addColumn<int>("placement");
    QTest::addColumn<bool>("czechFirst");
    for (const int placement : {1, 2, 3, 4}) {
        QTest::addRow("mode %d, Czech first", placement) << placement << true;
        QTest::addRow("mode %d, English first", placement) << placement << false;
    }
}

void TestWordCycle::fixedPlacementNeverMovesTheAnchor()
{
    QFETCH(int, placement);
    QFETCH(bool, czechFirst);
    auto vars = variables(1, 1, czechFirst, placement);
    FakeLabels labels;
    ScriptedRandom random({0.7f, 0.1f});
    for (int tick = 0; tick < 12; ++tick)
        WordTick(*vars, labels, random);
    QCOMPARE(labels.anchorMoves, 0);
    const int englishTop = czechFirst ? 5880 + 615 : 5880 - 615;
    QCOMPARE(QPoint(labels.labels[WordLabel::lblanglicky].left,
                    labels.labels[WordLabel::lblanglicky].top),
             QPoint(3480, englishTop));
    QCOMPARE(
        QPoint(labels.labels[WordLabel::lblcesky2].left, labels.labels[WordLabel::lblcesky2].top),
        QPoint(3500, 5900));
}

void TestWordCycle::emptyLessonShowsSlotZero()
{
    auto vars = variables(3, 3, true);
    vars->lesson.WordCount = 0;
    FakeLabels labels;
    ScriptedRandom random({0.99f});
    WordTick(*vars, labels, random);
    QCOMPARE(labels.labels[WordLabel::lblcesky].caption, QStringLiteral("pes"));
    vars->lesson.CzechWords[0].clear();
    vars->WordTick = 0;
    WordTick(*vars, labels, random);
    QCOMPARE(labels.labels[WordLabel::lblcesky].caption, QString());
}

void TestWordCycle::delaysAddingUpBeyondSixteenBitsStillCycle()
{
    QCOMPARE(PairEndTick(32767, 32767), qint16(32767));
    QCOMPARE(PairEndTick(-32768, -32768), qint16(-32768));
    QCOMPARE(PairEndTick(3, 3), qint16(6));

    auto vars = variables(32000, 32000, true);
    FakeLabels labels;
    ScriptedRandom random;
    vars->WordTick = 32767;
    WordTick(*vars, labels, random);
    QCOMPARE(vars->WordTick, qint16(0));
    vars->WordTick = 32766;
    WordTick(*vars, labels, random);
    QCOMPARE(vars->WordTick, qint16(32767));
    QVERIFY(labels.labels[WordLabel::lblanglicky].visible);
}

QTEST_GUILESS_MAIN(TestWordCycle)
#include "tst_wordcycle.moc"

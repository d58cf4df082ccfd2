#pragma once

#include "lessons/savervariables.h"

#include <QPoint>
#include <QString>

class RandomGenerator;

// The two words and their shadows, then the pronunciation, the example and the example's
// translation with theirs, which are shown only when the user asks for them.
enum class WordLabel {
    lblcesky,
    lblanglicky,
    lblcesky2,
    lblanglicky2,
    lblvyslovnost,
    lblvyslovnost2,
    lblpriklad,
    lblpriklad2,
    lblpreklad,
    lblpreklad2,
};

// The word labels and the screen, in twips, as the word cycle sees them.
class WordLabels {
public:
    virtual ~WordLabels() = default;
    virtual void SetVisible(WordLabel label, bool visible) = 0;
    virtual void SetCaption(WordLabel label, const QString& caption) = 0;
    virtual QString Caption(WordLabel label) const = 0;
    virtual int Left(WordLabel label) const = 0;
    virtual int Top(WordLabel label) const = 0;
    virtual int Width(WordLabel label) const = 0;
    virtual int Height(WordLabel label) const = 0;
    virtual void Move(WordLabel label, int left, int top) = 0;
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;
};

// Room that sets the details apart: twice between the words and the example sentences
// under them, once between the two sentences, and once between the pronunciation and a
// Czech word under it.
inline constexpr int DetailGap = 120;

// The room the word labels take together: the Czech label is the anchor, and the English
// one stands below it, or above it when English comes first. With the details shown, the
// pronunciation stands under the English word and the two example sentences under the
// pair, the first language's one first; a detail that is not shown takes no room.
struct WordPair {
    int width = 0;
    int czechHeight = 0;
    int englishHeight = 0;
    bool czechFirst = true;
    int pronunciationHeight = 0;
    int exampleHeight = 0;
    int translationHeight = 0;

    int EnglishBlock() const
    {
        const bool czechBelow = !czechFirst && pronunciationHeight > 0;
        return englishHeight + pronunciationHeight + (czechBelow ? DetailGap : 0);
    }
    int BetweenSentences() const
    {
        return exampleHeight > 0 && translationHeight > 0 ? DetailGap : 0;
    }
    int Examples() const
    {
        const int sentences = exampleHeight + translationHeight;
        return sentences > 0 ? 2 * DetailGap + sentences + BetweenSentences() : 0;
    }
    // How far the whole reaches above the anchor's top, and below it.
    int Above() const { return czechFirst ? 0 : EnglishBlock(); }
    int Below() const { return czechHeight + (czechFirst ? EnglishBlock() : 0) + Examples(); }
};

// Where the Czech label goes for a new word: a random place with a 1000-twip margin, the
// vertical room counting both words below the anchor's top whichever comes first. Only the
// words count, so showing the details changes no place that the words alone keep on the
// screen. On a screen too small for the margin the result falls short of it; KeepOnScreen
// then has the last word.
QPoint AnchorPlacement(int screenWidth, int screenHeight, const WordPair& pair, float r1, float r2);

// The anchor moved the least distance that keeps the whole pair on the screen. A pair
// taller or wider than the screen keeps its top and left edge on it, where reading starts.
QPoint KeepOnScreen(QPoint anchor, int screenWidth, int screenHeight, const WordPair& pair);

// The top of each label of the pair, from the anchor's top.
struct WordTops {
    int czech = 0;
    int english = 0;
    int pronunciation = 0;
    int example = 0;
    int translation = 0;
};
WordTops StackWords(int anchorTop, const WordPair& pair);

// The text shown for a Czech entry: up to its first ",", the rest being alternatives.
QString FirstCzechAlternative(const QString& czech);

// The tick at which the pair gives way to the next word: FirstDelay + SecondDelay, held
// within 16 bits so that delays that add up beyond them still cycle.
qint16 PairEndTick(qint16 firstDelay, qint16 secondDelay);

// One second of the word cycle: a new word at WordTick 0, the translation from
// FirstDelay on, the next word after PairEndTick.
void WordTick(SaverVariables& vars, WordLabels& labels, RandomGenerator& random);

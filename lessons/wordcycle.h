#pragma once

#include "lessons/savervariables.h"

#include <QPoint>
#include <QString>

class RandomGenerator;

enum class WordLabel { lblcesky, lblanglicky, lblcesky2, lblanglicky2 };

// The four word labels and the screen, in twips, as the word cycle sees them.
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

// The room the two word labels take together: the Czech label is the anchor, and the
// English one stands below it, or above it when English comes first.
struct WordPair {
    int width = 0;
    int czechHeight = 0;
    int englishHeight = 0;
    bool czechFirst = true;

    // How far the pair reaches above the anchor's top, and below it.
    int Above() const { return czechFirst ? 0 : englishHeight; }
    int Below() const { return czechFirst ? czechHeight + englishHeight : czechHeight; }
};

// Where the Czech label goes for a new word: a random place with a 1000-twip margin, the
// vertical room counting both words below the anchor's top whichever comes first, so that
// English first draws the same places as Czech first. On a screen too small for the margin
// the result falls short of it; KeepOnScreen then has the last word.
QPoint AnchorPlacement(int screenWidth, int screenHeight, const WordPair& pair, float r1, float r2);

// The anchor moved the least distance that keeps the whole pair on the screen. A pair
// taller or wider than the screen keeps its top and left edge on it, where reading starts.
QPoint KeepOnScreen(QPoint anchor, int screenWidth, int screenHeight, const WordPair& pair);

// The text shown for a Czech entry: up to its first ",", the rest being alternatives.
QString FirstCzechAlternative(const QString& czech);

// The tick at which the pair gives way to the next word: FirstDelay + SecondDelay, held
// within 16 bits so that delays that add up beyond them still cycle.
qint16 PairEndTick(qint16 firstDelay, qint16 secondDelay);

// One second of the word cycle: a new word at WordTick 0, the translation from
// FirstDelay on, the next word after PairEndTick.
void WordTick(SaverVariables& vars, WordLabels& labels, RandomGenerator& random);

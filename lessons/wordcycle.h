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

// Where the Czech label goes for a new word: a random place that keeps a 1000-twip margin
// and leaves room below for both word labels. On a screen too small for them the result
// falls short of the margin, even below zero.
QPoint AnchorPlacement(int screenWidth, int screenHeight, int czechWidth, int czechHeight,
                       int englishHeight, float r1, float r2);

// The text shown for a Czech entry: up to its first ",", the rest being alternatives.
QString FirstCzechAlternative(const QString& czech);

// The tick at which the pair gives way to the next word: FirstDelay + SecondDelay, held
// within 16 bits so that delays that add up beyond them still cycle.
qint16 PairEndTick(qint16 firstDelay, qint16 secondDelay);

// One second of the word cycle: a new word at WordTick 0, the translation from
// FirstDelay on, the next word after PairEndTick.
void WordTick(SaverVariables& vars, WordLabels& labels, RandomGenerator& random);

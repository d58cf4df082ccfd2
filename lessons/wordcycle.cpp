#include "lessons/wordcycle.h"

#include "lessons/randomgenerator.h"

#include <cmath>

QPoint AnchorPlacement(int screenWidth, int screenHeight, int czechWidth, int czechHeight,
                       int englishHeight, float r1, float r2)
{
    const double left = std::floor((screenWidth - 2000.0 - czechWidth) * r1 + 1000.0);
    const double top = std::floor((screenHeight - 2000.0 - czechHeight - englishHeight) * r2 + 1000.0);
    return {static_cast<int>(left), static_cast<int>(top)};
}

QString FirstCzechAlternative(const QString& czech)
{
    const qsizetype comma = czech.indexOf(QLatin1Char(','));
    return comma < 0 ? czech : czech.left(comma);
}

qint16 PairEndTick(qint16 firstDelay, qint16 secondDelay)
{
    const int sum = int(firstDelay) + int(secondDelay);
    return static_cast<qint16>(qBound(-32768, sum, 32767));
}

namespace {

void showWord(WordLabels& labels, WordLabel word, WordLabel shadow, bool visible)
{
    labels.SetVisible(word, visible);
    labels.SetVisible(shadow, visible);
}

void newWord(SaverVariables& vars, WordLabels& labels, RandomGenerator& random)
{
    using enum WordLabel;
    const bool czechFirst = vars.CzechFirst == VbTrue;
    if (czechFirst) {
        showWord(labels, lblanglicky, lblanglicky2, false);
        showWord(labels, lblcesky, lblcesky2, true);
    } else {
        showWord(labels, lblanglicky, lblanglicky2, true);
        showWord(labels, lblcesky, lblcesky2, false);
    }

    if (vars.PlacementMode == 0) {
        const float r1 = random.Next();
        const float r2 = random.Next();
        const QPoint anchor =
            AnchorPlacement(labels.ScreenWidth(), labels.ScreenHeight(), labels.Width(lblcesky),
                            labels.Height(lblcesky), labels.Height(lblanglicky), r1, r2);
        labels.Move(lblcesky, anchor.x(), anchor.y());
    }

    random.Reseed();
    const int i = RandomIndexBelow(random.Next(), vars.lesson.WordCount);
    labels.SetCaption(lblcesky, FirstCzechAlternative(vars.lesson.CzechWords[i]));
    labels.SetCaption(lblanglicky, vars.lesson.EnglishWords[i]);
    labels.SetCaption(lblcesky2, labels.Caption(lblcesky));
    labels.SetCaption(lblanglicky2, labels.Caption(lblanglicky));

    const int left = labels.Left(lblcesky);
    const int top = labels.Top(lblcesky);
    const int height = labels.Height(lblcesky);
    // Whichever word comes first stands above the other. Above the anchor, the English
    // label's own height is what keeps a wrapped caption off the Czech word.
    if (czechFirst)
        labels.Move(lblanglicky, left, top + height);
    else
        labels.Move(lblanglicky, left, top - labels.Height(lblanglicky));

    const int offset = vars.ShadowOffset;
    labels.Move(lblcesky2, labels.Left(lblcesky) + offset, labels.Top(lblcesky) + offset);
    labels.Move(lblanglicky2, labels.Left(lblanglicky) + offset, labels.Top(lblanglicky) + offset);
}

} // namespace

void WordTick(SaverVariables& vars, WordLabels& labels, RandomGenerator& random)
{
    if (vars.WordTick == 0) {
        newWord(vars, labels, random);
    } else if (vars.WordTick >= PairEndTick(vars.FirstDelay, vars.SecondDelay)) {
        vars.WordTick = -1;
    } else if (vars.WordTick >= vars.FirstDelay) {
        if (vars.CzechFirst == VbTrue)
            showWord(labels, WordLabel::lblanglicky, WordLabel::lblanglicky2, true);
        else
            showWord(labels, WordLabel::lblcesky, WordLabel::lblcesky2, true);
    }
    ++vars.WordTick;
}

#include "lessons/wordcycle.h"

#include "lessons/randomgenerator.h"

#include <cmath>

QPoint AnchorPlacement(int screenWidth, int screenHeight, const WordPair& pair, float r1, float r2)
{
    const double left = std::floor((screenWidth - 2000.0 - pair.width) * r1 + 1000.0);
    const double room = screenHeight - 2000.0 - pair.czechHeight - pair.englishHeight;
    const double top = std::floor(room * r2 + 1000.0);
    return {static_cast<int>(left), static_cast<int>(top)};
}

QPoint KeepOnScreen(QPoint anchor, int screenWidth, int screenHeight, const WordPair& pair)
{
    const int left = qMax(0, qMin(anchor.x(), screenWidth - pair.width));
    const int top = qMax(pair.Above(), qMin(anchor.y(), screenHeight - pair.Below()));
    return {left, top};
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

    const bool randomPlace = vars.PlacementMode == 0;
    float r1 = 0;
    float r2 = 0;
    if (randomPlace) {
        r1 = random.Next();
        r2 = random.Next();
    }

    random.Reseed();
    const int i = RandomIndexBelow(random.Next(), vars.lesson.WordCount);
    labels.SetCaption(lblcesky, FirstCzechAlternative(vars.lesson.CzechWords[i]));
    labels.SetCaption(lblanglicky, vars.lesson.EnglishWords[i]);
    labels.SetCaption(lblcesky2, labels.Caption(lblcesky));
    labels.SetCaption(lblanglicky2, labels.Caption(lblanglicky));

    // The place is chosen only now that the captions are set: a phrase that wraps onto
    // more lines than the word before it needs the room of its own lines, or it runs off
    // the screen.
    const WordPair pair{qMax(labels.Width(lblcesky), labels.Width(lblanglicky)),
                        labels.Height(lblcesky), labels.Height(lblanglicky), czechFirst};
    const QPoint designed(labels.Left(lblcesky), labels.Top(lblcesky));
    const QPoint anchor = KeepOnScreen(
        randomPlace ? AnchorPlacement(labels.ScreenWidth(), labels.ScreenHeight(), pair, r1, r2)
                    : designed,
        labels.ScreenWidth(), labels.ScreenHeight(), pair);
    // A fixed place moves only for a pair that would leave the screen there, and then stays
    // where it went until the window is made anew.
    if (randomPlace || anchor != designed)
        labels.Move(lblcesky, anchor.x(), anchor.y());

    // Whichever word comes first stands above the other. Above the anchor, the English
    // label's own height is what keeps a wrapped caption off the Czech word.
    if (czechFirst)
        labels.Move(lblanglicky, anchor.x(), anchor.y() + pair.czechHeight);
    else
        labels.Move(lblanglicky, anchor.x(), anchor.y() - pair.englishHeight);

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

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

WordTops StackWords(int anchorTop, const WordPair& pair)
{
    WordTops tops;
    tops.czech = anchorTop;
    // The sentences close the whole, the first language's one above the other's.
    const int between = pair.BetweenSentences();
    const int sentences =
        anchorTop + pair.Below() - pair.exampleHeight - between - pair.translationHeight;
    if (pair.czechFirst) {
        tops.english = anchorTop + pair.czechHeight;
        tops.translation = sentences;
        tops.example = sentences + pair.translationHeight + between;
    } else {
        // Above the anchor, the English label's own height is what keeps a wrapped caption
        // off the Czech word.
        tops.english = anchorTop - pair.EnglishBlock();
        tops.example = sentences;
        tops.translation = sentences + pair.exampleHeight + between;
    }
    tops.pronunciation = tops.english + pair.englishHeight;
    return tops;
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

using enum WordLabel;

void showWord(WordLabels& labels, WordLabel word, WordLabel shadow, bool visible)
{
    labels.SetVisible(word, visible);
    labels.SetVisible(shadow, visible);
}

// A language's word, and with the details its parts of them: the English word brings its
// pronunciation and the example, the Czech word the example's translation.
void showLanguage(WordLabels& labels, bool english, bool visible, bool details)
{
    if (english) {
        showWord(labels, lblanglicky, lblanglicky2, visible);
        if (details) {
            showWord(labels, lblvyslovnost, lblvyslovnost2, visible);
            showWord(labels, lblpriklad, lblpriklad2, visible);
        }
    } else {
        showWord(labels, lblcesky, lblcesky2, visible);
        if (details)
            showWord(labels, lblpreklad, lblpreklad2, visible);
    }
}

void setCaption(WordLabels& labels, WordLabel word, WordLabel shadow, const QString& caption)
{
    labels.SetCaption(word, caption);
    labels.SetCaption(shadow, labels.Caption(word));
}

// A detail without text takes no room, whatever height its label keeps.
int shownHeight(const WordLabels& labels, WordLabel label)
{
    return labels.Caption(label).isEmpty() ? 0 : labels.Height(label);
}

void moveWithShadow(WordLabels& labels, WordLabel word, WordLabel shadow, int left, int top,
                    int offset)
{
    labels.Move(word, left, top);
    labels.Move(shadow, labels.Left(word) + offset, labels.Top(word) + offset);
}

void newWord(SaverVariables& vars, WordLabels& labels, RandomGenerator& random)
{
    const bool czechFirst = vars.CzechFirst == VbTrue;
    const bool details = vars.ShowDetails;
    showLanguage(labels, true, !czechFirst, details);
    showLanguage(labels, false, czechFirst, details);

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
    WordPair pair{qMax(labels.Width(lblcesky), labels.Width(lblanglicky)), labels.Height(lblcesky),
                  labels.Height(lblanglicky), czechFirst};
    if (details) {
        setCaption(labels, lblvyslovnost, lblvyslovnost2, vars.lesson.EntryLine2[i]);
        setCaption(labels, lblpriklad, lblpriklad2, vars.lesson.EntryLine6Head[i]);
        setCaption(labels, lblpreklad, lblpreklad2, vars.lesson.EntryLine6Tail[i]);
        pair.pronunciationHeight = shownHeight(labels, lblvyslovnost);
        pair.exampleHeight = shownHeight(labels, lblpriklad);
        pair.translationHeight = shownHeight(labels, lblpreklad);
    }
    const QPoint designed(labels.Left(lblcesky), labels.Top(lblcesky));
    const QPoint anchor = KeepOnScreen(
        randomPlace ? AnchorPlacement(labels.ScreenWidth(), labels.ScreenHeight(), pair, r1, r2)
                    : designed,
        labels.ScreenWidth(), labels.ScreenHeight(), pair);
    // A fixed place moves only for a pair that would leave the screen there, and then stays
    // where it went until the window is made anew.
    if (randomPlace || anchor != designed)
        labels.Move(lblcesky, anchor.x(), anchor.y());

    // Whichever word comes first stands above the other.
    const WordTops tops = StackWords(anchor.y(), pair);
    labels.Move(lblanglicky, anchor.x(), tops.english);

    const int offset = vars.ShadowOffset;
    labels.Move(lblcesky2, labels.Left(lblcesky) + offset, labels.Top(lblcesky) + offset);
    labels.Move(lblanglicky2, labels.Left(lblanglicky) + offset, labels.Top(lblanglicky) + offset);
    if (details) {
        moveWithShadow(labels, lblvyslovnost, lblvyslovnost2, anchor.x(), tops.pronunciation,
                       offset);
        moveWithShadow(labels, lblpriklad, lblpriklad2, anchor.x(), tops.example, offset);
        moveWithShadow(labels, lblpreklad, lblpreklad2, anchor.x(), tops.translation, offset);
    }
}

} // namespace

void WordTick(SaverVariables& vars, WordLabels& labels, RandomGenerator& random)
{
    if (vars.WordTick == 0) {
        newWord(vars, labels, random);
    } else if (vars.WordTick >= PairEndTick(vars.FirstDelay, vars.SecondDelay)) {
        vars.WordTick = -1;
    } else if (vars.WordTick >= vars.FirstDelay) {
        showLanguage(labels, vars.CzechFirst == VbTrue, true, vars.ShowDetails);
    }
    ++vars.WordTick;
}

#include "screensaver/screenlayout.h"

#include <algorithm>

namespace {

bool spansAnother(const QList<QRect>& screens, int index)
{
    const QRect& screen = screens[index];
    for (const QRect& other : screens)
        if (!other.isEmpty() && other != screen && screen.contains(other))
            return true;
    return false;
}

} // namespace

ScreenLayout LayOutScreens(const QList<QRect>& screens, int primary)
{
    QList<int> order;
    if (primary >= 0 && primary < screens.size())
        order << primary;
    for (int i = 0; i < screens.size(); ++i)
        if (i != primary)
            order << i;

    QList<int> kept;
    for (const int i : order) {
        if (screens[i].isEmpty() || spansAnother(screens, i))
            continue;
        const bool mirror = std::any_of(kept.cbegin(), kept.cend(),
                                        [&](int k) { return screens[k] == screens[i]; });
        if (!mirror)
            kept << i;
    }

    ScreenLayout layout;
    if (kept.isEmpty())
        return layout;
    layout.main = kept.first();
    if (primary >= 0 && primary < screens.size() && !kept.contains(primary)) {
        const QPoint corner = screens[primary].topLeft();
        for (const int i : kept)
            if (screens[i].contains(corner)) {
                layout.main = i;
                break;
            }
    }
    for (const int i : kept)
        if (i != layout.main)
            layout.covers << i;
    return layout;
}

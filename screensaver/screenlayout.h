#pragma once

#include <QList>
#include <QRect>

// Which of the screens Qt lists the saver covers, by index into that list.
struct ScreenLayout {
    int main = -1;     // where the design runs; -1 only when there is no usable screen
    QList<int> covers; // the rest, each covered with the background alone
};

// A screen that holds another listed screen whole (the virtual screen some X servers list
// over their monitors) or repeats the geometry of one already taken (a mirror) gets no
// cover: its window would lie over the design. The design stays on the primary screen,
// or, when that is such a virtual screen, on the monitor at its top-left corner.
ScreenLayout LayOutScreens(const QList<QRect>& screens, int primary);

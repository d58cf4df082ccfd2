#include "screensaver/platform.h"

// Windows ends a screen saver with window messages, not signals, and reports every letter
// key with its Latin virtual-key code, whatever the layout.

void CatchTerminationSignals() {}

TerminationNotifier::TerminationNotifier(QObject* parent) : QObject(parent) {}

QString DisplayProblem()
{
    return {};
}

QSize ForeignWindowSize(quintptr)
{
    return {};
}

int LatinLetterOfKeycode(quint32)
{
    return 0;
}

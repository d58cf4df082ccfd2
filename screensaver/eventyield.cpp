#include "screensaver/eventyield.h"

#include <QCoreApplication>

void EventYield::operator()()
{
    if (m_sinceLast.elapsed() < IntervalMs)
        return;
    QCoreApplication::processEvents();
    m_sinceLast.restart();
}

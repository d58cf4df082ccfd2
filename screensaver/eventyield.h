#pragma once

#include <QElapsedTimer>

// Lets pending events run while a long job goes on. Asking the event loop costs far more
// than reading a lesson line, so it is asked only when a few milliseconds have passed:
// input and timer ticks still get their turn long before anyone could notice.
class EventYield {
public:
    static constexpr qint64 IntervalMs = 8;

    EventYield() { m_sinceLast.start(); }
    void operator()();

private:
    QElapsedTimer m_sinceLast;
};

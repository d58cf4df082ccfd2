#pragma once

#include "idle/idlesource.h"

#include <QDBusServiceWatcher>

// GNOME's idle monitor on the session bus (X11 and Wayland sessions alike).
class MutterIdleSource : public IdleSource {
    Q_OBJECT
public:
    // Nothing when no GNOME idle monitor answers on the session bus.
    static std::unique_ptr<MutterIdleSource> Open();

    void Watch(std::chrono::milliseconds timeout) override;
    void RestartTiming() override;

private slots:
    void onWatchFired(uint id);

private:
    MutterIdleSource();
    void addIdleWatch(quint64 interval);
    void addActiveWatch();
    void removeWatch(uint& id);

    QDBusServiceWatcher m_vanished;
    quint64 m_timeout = 0;
    quint64 m_idleInterval = 0;
    uint m_idleWatch = 0;
    uint m_activeWatch = 0;
};

#pragma once

#include "idle/idlesource.h"

#include <cstdint>

class QSocketNotifier;
struct xcb_connection_t;

// Any X server: two alarms on the SYNC extension's IDLETIME counter, one when it climbs past
// the idle time and one when input drops it back, so the server wakes the watcher only
// then. The MIT-SCREEN-SAVER extension, where there is one, tells when the server's own
// blanking, which screen lockers follow, comes on.
class X11IdleSource : public IdleSource {
    Q_OBJECT
public:
    static std::unique_ptr<X11IdleSource> Open(QString& why);
    ~X11IdleSource() override;

    void Watch(std::chrono::milliseconds timeout) override;
    void RestartTiming() override;

private:
    X11IdleSource(xcb_connection_t* connection, std::uint32_t root, std::uint32_t counter);
    void setAlarm(std::uint32_t alarm, std::int64_t value, bool rising);
    void processEvents();

    xcb_connection_t* m_connection;
    std::uint32_t m_root;
    std::uint32_t m_counter;
    std::uint32_t m_idleAlarm = 0;
    std::uint32_t m_activeAlarm = 0;
    std::uint8_t m_syncEvents = 0;
    std::uint8_t m_screenSaverEvents = 0;
    bool m_hasScreenSaver = false;
    std::int64_t m_timeout = 0;
    QSocketNotifier* m_notifier = nullptr;
};

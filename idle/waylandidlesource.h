#pragma once

#include "idle/idlesource.h"

#include <cstdint>

class QSocketNotifier;
struct ext_idle_notification_v1;
struct ext_idle_notifier_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;
struct wl_display;
struct wl_registry;
struct wl_seat;

// A Wayland compositor's idle protocol: ext-idle-notify-v1 (wlroots compositors such as
// sway, KDE Plasma 6), or org_kde_kwin_idle where that is all there is (KDE Plasma 5).
class WaylandIdleSource : public IdleSource {
    Q_OBJECT
public:
    static std::unique_ptr<WaylandIdleSource> Open(QString& why);
    ~WaylandIdleSource() override;

    void Watch(std::chrono::milliseconds timeout) override;
    void RestartTiming() override;

    // Called by the protocol listeners.
    void onGlobal(wl_registry* registry, std::uint32_t name, const char* interface,
                  std::uint32_t version);
    void onIdle() { emit Idle(); }
    void onResumed() { emit Active(); }

private:
    explicit WaylandIdleSource(wl_display* display);
    void createNotification();
    void destroyNotification();
    void processEvents();
    void flush();

    wl_display* m_display;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    ext_idle_notifier_v1* m_notifier = nullptr;
    org_kde_kwin_idle* m_kdeIdle = nullptr;
    ext_idle_notification_v1* m_notification = nullptr;
    org_kde_kwin_idle_timeout* m_kdeTimeout = nullptr;
    std::uint32_t m_timeout = 0;
    QSocketNotifier* m_socket = nullptr;
};

#include "idle/waylandidlesource.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

#include <algorithm>
#include <cstring>
#include <QSocketNotifier>
#include <wayland-client.h>

namespace {

WaylandIdleSource* sourceOf(void* data)
{
    return static_cast<WaylandIdleSource*>(data);
}

const wl_registry_listener registryListener{
    [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
       std::uint32_t version) { sourceOf(data)->onGlobal(registry, name, interface, version); },
    [](void*, wl_registry*, std::uint32_t) {},
};

const ext_idle_notification_v1_listener notificationListener{
    [](void* data, ext_idle_notification_v1*) { sourceOf(data)->onIdle(); },
    [](void* data, ext_idle_notification_v1*) { sourceOf(data)->onResumed(); },
};

const org_kde_kwin_idle_timeout_listener kdeTimeoutListener{
    [](void* data, org_kde_kwin_idle_timeout*) { sourceOf(data)->onIdle(); },
    [](void* data, org_kde_kwin_idle_timeout*) { sourceOf(data)->onResumed(); },
};

} // namespace

std::unique_ptr<WaylandIdleSource> WaylandIdleSource::Open(QString& why)
{
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        why = QStringLiteral("vokabo-idle: nelze se připojit ke kompozitoru (WAYLAND_DISPLAY=%1)")
                  .arg(name);
        return nullptr;
    }
    std::unique_ptr<WaylandIdleSource> source(new WaylandIdleSource(display));
    // The first round trip brings the globals, the second the seat's bind.
    if (wl_display_roundtrip(display) < 0 || wl_display_roundtrip(display) < 0) {
        why = QStringLiteral("vokabo-idle: spojení s kompozitorem (WAYLAND_DISPLAY=%1) selhalo")
                  .arg(name);
        return nullptr;
    }
    if (!source->m_seat || (!source->m_notifier && !source->m_kdeIdle)) {
        why = QStringLiteral("vokabo-idle: kompozitor (WAYLAND_DISPLAY=%1) neoznamuje nečinnost: "
                             "nemá protokol ext-idle-notify-v1 ani org_kde_kwin_idle")
                  .arg(name);
        return nullptr;
    }
    source->m_socket =
        new QSocketNotifier(wl_display_get_fd(display), QSocketNotifier::Read, source.get());
    connect(source->m_socket, &QSocketNotifier::activated, source.get(),
            &WaylandIdleSource::processEvents);
    return source;
}

WaylandIdleSource::WaylandIdleSource(wl_display* display) : m_display(display)
{
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &registryListener, this);
}

WaylandIdleSource::~WaylandIdleSource()
{
    destroyNotification();
    if (m_notifier)
        ext_idle_notifier_v1_destroy(m_notifier);
    if (m_kdeIdle)
        org_kde_kwin_idle_destroy(m_kdeIdle);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
}

void WaylandIdleSource::onGlobal(wl_registry* registry, std::uint32_t name, const char* interface,
                                 std::uint32_t version)
{
    const auto is = [interface](const wl_interface& wanted) {
        return std::strcmp(interface, wanted.name) == 0;
    };
    // The first seat: idle protocols count the input of a seat, and a desktop has one.
    if (is(wl_seat_interface) && !m_seat)
        m_seat = static_cast<wl_seat*>(
            wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, 1u)));
    else if (is(ext_idle_notifier_v1_interface))
        m_notifier = static_cast<ext_idle_notifier_v1*>(
            wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
    else if (is(org_kde_kwin_idle_interface))
        m_kdeIdle = static_cast<org_kde_kwin_idle*>(
            wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
}

void WaylandIdleSource::Watch(std::chrono::milliseconds timeout)
{
    m_timeout = static_cast<std::uint32_t>(timeout.count());
    createNotification();
}

void WaylandIdleSource::RestartTiming()
{
    // A new notification object counts its timeout from the moment it is made.
    createNotification();
}

void WaylandIdleSource::createNotification()
{
    destroyNotification();
    if (m_notifier) {
        m_notification = ext_idle_notifier_v1_get_idle_notification(m_notifier, m_timeout, m_seat);
        ext_idle_notification_v1_add_listener(m_notification, &notificationListener, this);
    } else {
        m_kdeTimeout = org_kde_kwin_idle_get_idle_timeout(m_kdeIdle, m_seat, m_timeout);
        org_kde_kwin_idle_timeout_add_listener(m_kdeTimeout, &kdeTimeoutListener, this);
    }
    flush();
}

void WaylandIdleSource::destroyNotification()
{
    if (m_notification)
        ext_idle_notification_v1_destroy(m_notification);
    if (m_kdeTimeout)
        org_kde_kwin_idle_timeout_release(m_kdeTimeout);
    m_notification = nullptr;
    m_kdeTimeout = nullptr;
}

void WaylandIdleSource::flush()
{
    // What a full socket leaves behind goes out with the next flush.
    wl_display_flush(m_display);
}

void WaylandIdleSource::processEvents()
{
    // Only this thread reads the display: prepare, read, then hand out what came.
    while (wl_display_prepare_read(m_display) != 0)
        wl_display_dispatch_pending(m_display);
    flush();
    const bool read = wl_display_read_events(m_display) == 0;
    wl_display_dispatch_pending(m_display);
    if (!read || wl_display_get_error(m_display) != 0) {
        m_socket->setEnabled(false);
        emit Lost(QStringLiteral("vokabo-idle: spojení s kompozitorem skončilo"));
    }
}

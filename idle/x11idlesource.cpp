#include "idle/x11idlesource.h"

#include <cstdlib>
#include <cstring>
#include <QSocketNotifier>
#include <xcb/screensaver.h>
#include <xcb/sync.h>
#include <xcb/xcb.h>

namespace {

xcb_sync_int64_t int64(std::int64_t value)
{
    return {static_cast<std::int32_t>(value >> 32), static_cast<std::uint32_t>(value)};
}

std::int64_t int64(xcb_sync_int64_t value)
{
    return (std::int64_t(value.hi) << 32) | value.lo;
}

// The server's system counter of milliseconds since the last input, or 0. The list is read
// by hand: each entry is padded to four bytes counted from its own start, which libxcb's
// iterator gets wrong, so that every name after the first comes out shifted.
std::uint32_t idleCounter(xcb_connection_t* connection)
{
    auto* reply = xcb_sync_list_system_counters_reply(
        connection, xcb_sync_list_system_counters(connection), nullptr);
    if (!reply)
        return 0;
    const auto* at = reinterpret_cast<const std::uint8_t*>(
        xcb_sync_list_system_counters_counters_iterator(reply).data);
    const auto* end = reinterpret_cast<const std::uint8_t*>(reply) + 32 + 4 * reply->length;
    constexpr std::size_t fixed = 14; // counter, resolution, name length
    std::uint32_t counter = 0;
    for (std::uint32_t i = 0;
         i < reply->counters_len && at + sizeof(xcb_sync_systemcounter_t) <= end; ++i) {
        xcb_sync_systemcounter_t entry;
        std::memcpy(&entry, at, sizeof entry);
        const std::size_t length = entry.name_len;
        if (at + fixed + length > end)
            break;
        if (length == 8 && std::memcmp(at + fixed, "IDLETIME", 8) == 0) {
            counter = entry.counter;
            break;
        }
        at += (fixed + length + 3) & ~std::size_t(3);
    }
    std::free(reply);
    return counter;
}

} // namespace

std::unique_ptr<X11IdleSource> X11IdleSource::Open(QString& why)
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    const QString display = qEnvironmentVariable("DISPLAY");
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        why =
            QStringLiteral("vokabo-idle: nelze se připojit k obrazovce (DISPLAY=%1)").arg(display);
        return nullptr;
    }
    const xcb_query_extension_reply_t* sync = xcb_get_extension_data(connection, &xcb_sync_id);
    std::uint32_t counter = 0;
    if (sync && sync->present) {
        free(xcb_sync_initialize_reply(connection, xcb_sync_initialize(connection, 3, 1), nullptr));
        counter = idleCounter(connection);
    }
    if (counter == 0) {
        xcb_disconnect(connection);
        why = QStringLiteral("vokabo-idle: X server (DISPLAY=%1) neoznamuje nečinnost: nemá "
                             "rozšíření SYNC s čítačem IDLETIME")
                  .arg(display);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    return std::unique_ptr<X11IdleSource>(
        new X11IdleSource(connection, screens.data->root, counter));
}

X11IdleSource::X11IdleSource(xcb_connection_t* connection, std::uint32_t root,
                             std::uint32_t counter)
    : m_connection(connection), m_root(root), m_counter(counter)
{
    m_syncEvents = xcb_get_extension_data(m_connection, &xcb_sync_id)->first_event;
    const xcb_query_extension_reply_t* screenSaver =
        xcb_get_extension_data(m_connection, &xcb_screensaver_id);
    if (screenSaver && screenSaver->present) {
        m_hasScreenSaver = true;
        m_screenSaverEvents = screenSaver->first_event;
        xcb_screensaver_select_input(m_connection, m_root, XCB_SCREENSAVER_EVENT_NOTIFY_MASK);
    }
    m_notifier =
        new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11IdleSource::processEvents);
}

X11IdleSource::~X11IdleSource()
{
    xcb_disconnect(m_connection);
}

void X11IdleSource::setAlarm(std::uint32_t alarm, std::int64_t value, bool rising)
{
    // A transition test with no delta fires each time the counter crosses the value, in its
    // direction, and stays armed: no event while the user keeps working or stays away.
    xcb_sync_change_alarm_value_list_t values{};
    values.counter = m_counter;
    values.valueType = XCB_SYNC_VALUETYPE_ABSOLUTE;
    values.value = int64(value);
    values.testType =
        rising ? XCB_SYNC_TESTTYPE_POSITIVE_TRANSITION : XCB_SYNC_TESTTYPE_NEGATIVE_TRANSITION;
    values.delta = int64(0);
    values.events = 1;
    const std::uint32_t mask = XCB_SYNC_CA_COUNTER | XCB_SYNC_CA_VALUE_TYPE | XCB_SYNC_CA_VALUE |
                               XCB_SYNC_CA_TEST_TYPE | XCB_SYNC_CA_DELTA | XCB_SYNC_CA_EVENTS;
    xcb_sync_change_alarm_aux(m_connection, alarm, mask, &values);
}

void X11IdleSource::Watch(std::chrono::milliseconds timeout)
{
    m_timeout = timeout.count();
    if (m_idleAlarm == 0) {
        m_idleAlarm = xcb_generate_id(m_connection);
        m_activeAlarm = xcb_generate_id(m_connection);
        xcb_sync_create_alarm(m_connection, m_idleAlarm, 0, nullptr);
        xcb_sync_create_alarm(m_connection, m_activeAlarm, 0, nullptr);
    }
    setAlarm(m_idleAlarm, m_timeout, true);
    // Input drops the counter to zero: from past the idle time to below it.
    setAlarm(m_activeAlarm, m_timeout, false);
    xcb_flush(m_connection);
    processEvents();
}

void X11IdleSource::RestartTiming()
{
    auto* reply = xcb_sync_query_counter_reply(
        m_connection, xcb_sync_query_counter(m_connection, m_counter), nullptr);
    if (reply) {
        setAlarm(m_idleAlarm, int64(reply->counter_value) + m_timeout, true);
        std::free(reply);
        xcb_flush(m_connection);
    }
    processEvents();
}

void X11IdleSource::processEvents()
{
    // Events that came in while waiting for a reply are queued already: take them all, not
    // only what the socket has now.
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == m_syncEvents + XCB_SYNC_ALARM_NOTIFY) {
            const auto* alarm = reinterpret_cast<xcb_sync_alarm_notify_event_t*>(event);
            if (alarm->alarm == m_idleAlarm) {
                emit Idle();
            } else if (alarm->alarm == m_activeAlarm) {
                // Back to the plain idle time after a restart moved it.
                setAlarm(m_idleAlarm, m_timeout, true);
                xcb_flush(m_connection);
                emit Active();
            }
        } else if (m_hasScreenSaver && type == m_screenSaverEvents + XCB_SCREENSAVER_NOTIFY) {
            const auto* notify = reinterpret_cast<xcb_screensaver_notify_event_t*>(event);
            emit BlankingChanged(notify->state == XCB_SCREENSAVER_STATE_ON ||
                                 notify->state == XCB_SCREENSAVER_STATE_CYCLE);
        }
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection)) {
        m_notifier->setEnabled(false);
        emit Lost(QStringLiteral("vokabo-idle: spojení s X serverem skončilo"));
    }
}

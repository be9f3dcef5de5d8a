// X11: the SYNC extension's system counter SERVERTIME is the server's own
// clock in milliseconds, the clock it stamps input events with. A local
// server reads it from CLOCK_MONOTONIC, as our clock does. Queried on the
// connection that carried the drawing, its reply comes after the server
// processed every request sent before it, the frame included, so the value
// is the server's time once the frame was in its framebuffer.
#include "display_server_stamps.h"
#include "x11_system_counters.h"

#include <QGuiApplication>
#include <cstdlib>
#include <xcb/sync.h>
#include <xcb/xcb.h>

namespace tavo {

namespace {

class ServerTimeStamps final : public DisplayStamps {
public:
    ServerTimeStamps(xcb_connection_t* connection, xcb_sync_counter_t counter)
        : m_connection(connection)
        , m_counter(counter) {}

    std::optional<ClockReading> frame_processed() override {
        // The reply is allocated by xcb after the server has stamped it: the
        // allocation cannot move the stamp.
        xcb_sync_query_counter_reply_t* reply = xcb_sync_query_counter_reply(
            m_connection, xcb_sync_query_counter(m_connection, m_counter), nullptr);
        if (reply == nullptr) {
            return std::nullopt;
        }
        // The server's millisecond time wraps at 2^32 like our readings.
        const auto stamp = static_cast<ClockReading>(reply->counter_value.lo);
        std::free(reply);
        return stamp;
    }

private:
    xcb_connection_t* m_connection;
    xcb_sync_counter_t m_counter;
};

// SERVERTIME's counter id on this connection, or nothing when the server has
// no SYNC extension or no such counter.
std::optional<xcb_sync_counter_t> server_time_counter(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* sync = xcb_get_extension_data(connection, &xcb_sync_id);
    if (sync == nullptr || !sync->present) {
        return std::nullopt;
    }
    std::free(xcb_sync_initialize_reply(
        connection, xcb_sync_initialize(connection, XCB_SYNC_MAJOR_VERSION, XCB_SYNC_MINOR_VERSION),
        nullptr));
    xcb_sync_list_system_counters_reply_t* list = xcb_sync_list_system_counters_reply(
        connection, xcb_sync_list_system_counters(connection), nullptr);
    if (list == nullptr) {
        return std::nullopt;
    }
    // The records follow the fixed 32-byte reply; `length` counts 4-byte units after it.
    const auto* records = reinterpret_cast<const std::uint8_t*>(list + 1);
    const std::optional<std::uint32_t> counter = find_system_counter(
        records, std::size_t{list->length} * 4, list->counters_len, "SERVERTIME");
    std::free(list);
    return counter;
}

} // namespace

std::unique_ptr<DisplayStamps> make_display_server_stamps() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    const std::optional<xcb_sync_counter_t> counter =
        connection ? server_time_counter(connection) : std::nullopt;
    if (!counter) {
        return std::make_unique<NoDisplayStamps>();
    }
    return std::make_unique<ServerTimeStamps>(connection, *counter);
}

} // namespace tavo

// X11: the stimulus's frames go to a native child window over the stimulus
// area, each drawn whole into a pixmap first.
//
// - With the Present extension the pixmap is presented (PresentPixmap); the
//   PresentCompleteNotify event carries the UST of the vertical blank at which
//   the frame was shown: microseconds of CLOCK_MONOTONIC, our clock. Its
//   events come through a queue of their own on Qt's connection, so Qt never
//   sees them and we can look for them whenever we like.
// - Without it the pixmap is copied onto the window in one request; DAMAGE
//   reports the server's time (milliseconds) at which the pixels changed.
// - Without either, the SYNC extension's system counter SERVERTIME, queried
//   after the frame's requests, is the server's time once it had processed
//   them: the server answers requests in order.
//
// All of it runs on Qt's own xcb connection, in the order the requests were
// made.
#include "frame_presenter.h"
#include "x11_system_counters.h"
#ifdef TAVO_WAYLAND_STAMPS
#include "wayland_frame_presenter.h"
#endif

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <thread>
#include <xcb/damage.h>
#include <xcb/present.h>
#include <xcb/sync.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

namespace tavo {

namespace {

// How long a presented frame's completion is awaited before the server time
// stands in: a few frames at the slowest refresh a display would have.
constexpr int completion_wait_ms = 100;

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

bool has_present(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* present =
        xcb_get_extension_data(connection, &xcb_present_id);
    if (present == nullptr || !present->present) {
        return false;
    }
    xcb_present_query_version_reply_t* version = xcb_present_query_version_reply(
        connection,
        xcb_present_query_version(connection, XCB_PRESENT_MAJOR_VERSION, XCB_PRESENT_MINOR_VERSION),
        nullptr);
    const bool usable = version != nullptr;
    std::free(version);
    return usable;
}

// The first event code of DAMAGE, or nothing when the server has none.
std::optional<std::uint8_t> damage_first_event(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (damage == nullptr || !damage->present) {
        return std::nullopt;
    }
    // The server takes no DAMAGE request before the version is agreed.
    xcb_damage_query_version_reply_t* version = xcb_damage_query_version_reply(
        connection,
        xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr);
    if (version == nullptr) {
        return std::nullopt;
    }
    std::free(version);
    return damage->first_event;
}

class X11FramePresenter final : public FramePresenter, public QAbstractNativeEventFilter {
public:
    X11FramePresenter(xcb_connection_t* connection, std::optional<xcb_sync_counter_t> server_time,
                      bool present, std::optional<std::uint8_t> damage_event)
        : m_connection(connection)
        , m_server_time(server_time)
        , m_present(present)
        , m_damage_event(present ? std::nullopt : damage_event) {
        m_poll.setTimerType(Qt::PreciseTimer);
        m_poll.setInterval(1);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
        if (m_damage_event) {
            QCoreApplication::instance()->installNativeEventFilter(this);
        }
    }

    ~X11FramePresenter() override {
        if (m_damage_event && QCoreApplication::instance()) {
            QCoreApplication::instance()->removeNativeEventFilter(this);
        }
        for (auto& [window, surface] : m_surfaces) {
            if (surface.special != nullptr) {
                xcb_unregister_for_special_event(m_connection, surface.special);
            }
        }
    }

    X11FramePresenter(const X11FramePresenter&) = delete;
    X11FramePresenter& operator=(const X11FramePresenter&) = delete;

    bool presents() const override { return true; }

    QString sources() const override {
        QStringList sources;
        if (m_present) {
            sources << QStringLiteral("present");
        }
        if (m_damage_event) {
            sources << QStringLiteral("damage");
        }
        if (m_server_time) {
            sources << QStringLiteral("servertime");
        }
        sources << QStringLiteral("delivery");
        return sources.join(QStringLiteral(", then "));
    }

    void present(QWidget& surface_widget, const QImage& frame) override {
        const Surface* surface = surface_for(surface_widget);
        if (surface == nullptr || frame.isNull()) {
            return;
        }
        const QImage pixels = frame.convertToFormat(QImage::Format_RGB32);
        const auto width = static_cast<std::uint16_t>(pixels.width());
        const auto height = static_cast<std::uint16_t>(pixels.height());
        const xcb_pixmap_t pixmap = xcb_generate_id(m_connection);
        xcb_create_pixmap(m_connection, surface->depth, pixmap, surface->window, width, height);
        const xcb_gcontext_t gc = gc_for(surface->depth, pixmap);
        // The picture goes into the pixmap in strips as large as a request
        // may be; nobody sees the pixmap until it is whole.
        const std::size_t line = static_cast<std::size_t>(pixels.bytesPerLine());
        const std::size_t request_bytes =
            std::size_t{xcb_get_maximum_request_length(m_connection)} * 4;
        const int rows = std::max<int>(1, static_cast<int>((request_bytes - 64) / line));
        for (int top = 0; top < pixels.height(); top += rows) {
            const int strip = std::min(rows, pixels.height() - top);
            xcb_put_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, width,
                          static_cast<std::uint16_t>(strip), 0, static_cast<std::int16_t>(top), 0,
                          surface->depth,
                          static_cast<std::uint32_t>(line * static_cast<std::size_t>(strip)),
                          pixels.constScanLine(top));
        }
        m_last_window = surface->window;
        if (m_present) {
            m_last_serial = ++m_serial;
            xcb_present_pixmap(m_connection, surface->window, pixmap, m_last_serial, XCB_NONE,
                               XCB_NONE, 0, 0, XCB_NONE, XCB_NONE, XCB_NONE,
                               XCB_PRESENT_OPTION_NONE, 0, 0, 0, 0, nullptr);
        } else {
            const xcb_void_cookie_t copy =
                xcb_copy_area(m_connection, pixmap, surface->window, gc, 0, 0, 0, 0, width, height);
            m_last_sequence = static_cast<std::uint16_t>(copy.sequence);
        }
        // The server keeps the pixmap for as long as the presentation needs it.
        xcb_free_pixmap(m_connection, pixmap);
        xcb_flush(m_connection);
    }

    void await_frame(FrameShown shown) override {
        settle();
        // The server's time once it had processed the frame's requests: the
        // stamp that stands when no better one comes. Its reply also brings
        // in every event the server sent before it.
        m_fallback = server_time();
        m_waiting = std::move(shown);
        m_waited_window = m_last_window;
        m_waited_serial = m_last_serial;
        m_waited_sequence = m_last_sequence;
        if (m_present) {
            poll();
        } else if (!m_damage_event) {
            answer(m_fallback);
            return;
        }
        if (m_waiting) {
            m_waited.start();
            m_poll.start();
        }
    }

    void settle() override {
        if (!m_waiting) {
            return;
        }
        if (m_present) {
            // The completion comes at the next vertical blank; Qt's reader
            // thread sorts it into our queue as soon as it arrives.
            QElapsedTimer waited;
            waited.start();
            while (m_waiting && waited.elapsed() < completion_wait_ms) {
                poll();
                if (m_waiting) {
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
                }
            }
        }
        if (m_waiting) {
            answer(m_fallback);
        }
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (!m_waiting || !m_damage_event || type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != *m_damage_event + XCB_DAMAGE_NOTIFY) {
            return false;
        }
        const auto* damage = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
        // Only the change the awaited frame's copy made.
        if (damage->drawable == m_waited_window && damage->sequence == m_waited_sequence) {
            answer(FrameStamp{std::int64_t{damage->timestamp} * 1000, FrameStampSource::damage,
                              false});
        }
        return false;
    }

private:
    struct Surface {
        xcb_window_t window = XCB_NONE;
        std::uint8_t depth = 0;
        xcb_special_event_t* special = nullptr; // Present's events for this window
    };

    // The native window of `widget`, set up once: its depth, and Present's
    // completion events or DAMAGE's reports for it.
    const Surface* surface_for(QWidget& widget) {
        const auto window = static_cast<xcb_window_t>(widget.winId());
        if (const auto known = m_surfaces.find(window); known != m_surfaces.end()) {
            return known->second.depth != 0 ? &known->second : nullptr;
        }
        Surface& surface = m_surfaces[window];
        surface.window = window;
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
        if (geometry != nullptr && (geometry->depth == 24 || geometry->depth == 32)) {
            surface.depth = geometry->depth;
        }
        std::free(geometry);
        if (surface.depth == 0) {
            return nullptr; // a depth our 32-bit pictures do not fit
        }
        if (m_present) {
            const xcb_present_event_t context = xcb_generate_id(m_connection);
            xcb_present_select_input(m_connection, context, window,
                                     XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY);
            surface.special =
                xcb_register_for_special_xge(m_connection, &xcb_present_id, context, nullptr);
        } else if (m_damage_event) {
            xcb_damage_create(m_connection, xcb_generate_id(m_connection), window,
                              XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        }
        return &surface;
    }

    xcb_gcontext_t gc_for(std::uint8_t depth, xcb_drawable_t drawable) {
        if (const auto known = m_gcs.find(depth); known != m_gcs.end()) {
            return known->second;
        }
        const xcb_gcontext_t gc = xcb_generate_id(m_connection);
        // No GraphicsExpose events for our copies.
        const std::uint32_t no_exposures = 0;
        xcb_create_gc(m_connection, gc, drawable, XCB_GC_GRAPHICS_EXPOSURES, &no_exposures);
        m_gcs[depth] = gc;
        return gc;
    }

    std::optional<FrameStamp> server_time() {
        if (!m_server_time) {
            return std::nullopt;
        }
        xcb_sync_query_counter_reply_t* reply = xcb_sync_query_counter_reply(
            m_connection, xcb_sync_query_counter(m_connection, *m_server_time), nullptr);
        if (reply == nullptr) {
            return std::nullopt;
        }
        // The server's millisecond time wraps at 2^32; the whole milliseconds are what count.
        const std::int64_t milliseconds = reply->counter_value.lo;
        std::free(reply);
        return FrameStamp{milliseconds * 1000, FrameStampSource::server_time, false};
    }

    // Takes in Present's completions; answers the awaited frame's.
    void poll() {
        for (auto& [window, surface] : m_surfaces) {
            if (surface.special == nullptr) {
                continue;
            }
            while (xcb_generic_event_t* event =
                       xcb_poll_for_special_event(m_connection, surface.special)) {
                const auto* complete =
                    reinterpret_cast<const xcb_present_complete_notify_event_t*>(event);
                if (m_waiting && complete->event_type == XCB_PRESENT_EVENT_COMPLETE_NOTIFY &&
                    complete->kind == XCB_PRESENT_COMPLETE_KIND_PIXMAP &&
                    complete->window == m_waited_window && complete->serial == m_waited_serial) {
                    // A skipped frame was never shown: the server's time stands.
                    if (complete->mode == XCB_PRESENT_COMPLETE_MODE_SKIP) {
                        answer(m_fallback);
                    } else {
                        answer(FrameStamp{static_cast<std::int64_t>(complete->ust),
                                          FrameStampSource::present, true});
                    }
                }
                std::free(event);
            }
        }
        if (m_waiting && m_poll.isActive() && m_waited.elapsed() >= completion_wait_ms) {
            answer(m_fallback);
        }
    }

    void answer(std::optional<FrameStamp> stamp) {
        m_poll.stop();
        FrameShown shown = std::move(m_waiting);
        m_waiting = nullptr;
        if (shown) {
            shown(stamp);
        }
    }

    xcb_connection_t* m_connection;
    std::optional<xcb_sync_counter_t> m_server_time;
    bool m_present;
    std::optional<std::uint8_t> m_damage_event;
    std::map<xcb_window_t, Surface> m_surfaces;
    std::map<std::uint8_t, xcb_gcontext_t> m_gcs;
    std::uint32_t m_serial = 0;
    // The frame handed over last.
    xcb_window_t m_last_window = XCB_NONE;
    std::uint32_t m_last_serial = 0;
    std::uint16_t m_last_sequence = 0;
    // The frame whose time is awaited, and the stamp that stands without a better one.
    FrameShown m_waiting;
    xcb_window_t m_waited_window = XCB_NONE;
    std::uint32_t m_waited_serial = 0;
    std::uint16_t m_waited_sequence = 0;
    std::optional<FrameStamp> m_fallback;
    QElapsedTimer m_waited;
    QTimer m_poll;
};

} // namespace

std::unique_ptr<FramePresenter> make_frame_presenter() {
#ifdef TAVO_WAYLAND_STAMPS
    if (std::unique_ptr<FramePresenter> wayland = make_wayland_frame_presenter()) {
        return wayland;
    }
#endif
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return std::make_unique<NoFramePresenter>();
    }
    // TAVO_DISPLAY_STAMPS=servertime or damage leaves the better sources out,
    // so that each fallback can be tried on a server that has them all.
    const QByteArray only = qgetenv("TAVO_DISPLAY_STAMPS");
    const bool present = only.isEmpty() && has_present(connection);
    const std::optional<std::uint8_t> damage =
        only.isEmpty() || only == "damage" ? damage_first_event(connection) : std::nullopt;
    return std::make_unique<X11FramePresenter>(connection, server_time_counter(connection), present,
                                               damage);
}

QString built_display_stamps() {
#ifdef TAVO_WAYLAND_STAMPS
    return QStringLiteral("X11 Present, DAMAGE and SYNC server time; Wayland presentation time");
#else
    return QStringLiteral("X11 Present, DAMAGE and SYNC server time");
#endif
}

} // namespace tavo

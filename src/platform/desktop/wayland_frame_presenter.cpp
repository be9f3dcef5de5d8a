// Wayland: the stimulus's frames go to a surface of our own, a subsurface of
// the test window's surface lying over the stimulus area, each drawn whole
// into a shared-memory buffer and committed in one piece. Before that commit
// the presentation-time protocol is asked for feedback on it; its `presented`
// event is the compositor's time the frame went on screen, in the clock it
// announced (CLOCK_MONOTONIC, our clock, in practice): that is the onset. A
// `discarded` frame, or no answer, leaves the clock read after the commit.
//
// Why a surface of our own: Qt turns a native child widget and its native
// ancestors into subsurfaces that never get a buffer of their own, so a frame
// committed on such a child is never shown. Ours is desynchronized: its
// commit takes effect at once, without a commit of the window around it, so
// the feedback belongs to the very commit that shows the stimulus. It takes
// no input: presses over it reach the window underneath.
//
// Our objects live on an event queue of our own, so Qt never dispatches
// their events, and nothing here waits on Qt's queue: the queue is read
// without blocking, or for a bounded time when an answer is needed now.
#include "wayland_frame_presenter.h"

#include "presentation-time-client-protocol.h"
#include "presentation_feedback.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstring>
#include <ctime>
#include <map>
#include <poll.h>
#include <qpa/qplatformnativeinterface.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace tavo {

namespace {

// How long a frame's feedback is awaited before the reading after the commit
// stands: a few frames at the slowest refresh a display would have.
constexpr int feedback_wait_ms = 100;

std::int64_t clock_microseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t{now.tv_sec} * 1000000 + now.tv_nsec / 1000;
}

// One frame's pixels, shared with the compositor until it lets go of them.
struct ShmBuffer {
    wl_buffer* buffer = nullptr;
    void* pixels = nullptr;
    std::size_t size = 0;
};

void release_buffer(void* data, wl_buffer* buffer) {
    auto* shm = static_cast<ShmBuffer*>(data);
    wl_buffer_destroy(buffer);
    munmap(shm->pixels, shm->size);
    delete shm;
}

const wl_buffer_listener buffer_listener = {release_buffer};

// The protocol names both the feedback object and the request making it
// wp_presentation_feedback.
using Feedback = struct wp_presentation_feedback;

// The test window's wl_surface, which Qt makes when the window is shown and
// drops when it is hidden.
wl_surface* window_surface(QWindow* window) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (window == nullptr || native == nullptr || window->handle() == nullptr) {
        return nullptr;
    }
    return static_cast<wl_surface*>(
        native->nativeResourceForWindow(QByteArrayLiteral("surface"), window));
}

class WaylandFramePresenter final : public FramePresenter, public QObject {
public:
    WaylandFramePresenter(wl_display* display, wl_event_queue* queue, wl_registry* registry)
        : m_display(display)
        , m_queue(queue)
        , m_registry(registry) {
        m_poll.setTimerType(Qt::PreciseTimer);
        m_poll.setInterval(1);
        QObject::connect(&m_poll, &QTimer::timeout, this, [this] { poll(0); });
    }

    ~WaylandFramePresenter() override {
        for (auto& [widget, placed] : m_placed) {
            drop_surface(placed);
        }
        if (m_presentation != nullptr) {
            wp_presentation_destroy(m_presentation);
        }
        if (m_shm != nullptr) {
            wl_shm_destroy(m_shm);
        }
        if (m_subcompositor != nullptr) {
            wl_subcompositor_destroy(m_subcompositor);
        }
        if (m_compositor != nullptr) {
            wl_compositor_destroy(m_compositor);
        }
        wl_registry_destroy(m_registry);
        wl_display_flush(m_display);
        // Buffers the compositor still holds and feedback still pending are
        // left to the connection's end.
        wl_event_queue_destroy(m_queue);
    }

    WaylandFramePresenter(const WaylandFramePresenter&) = delete;
    WaylandFramePresenter& operator=(const WaylandFramePresenter&) = delete;

    // Takes in the compositor's globals and the presentation clock, waiting
    // on our own queue only; false when it lacks any of them.
    bool bind() {
        static const wl_registry_listener listener = {
            [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
               std::uint32_t version) {
                static_cast<WaylandFramePresenter*>(data)->global(registry, name, interface,
                                                                  version);
            },
            [](void*, wl_registry*, std::uint32_t) {}};
        wl_registry_add_listener(m_registry, &listener, this);
        // The second round trip brings the presentation clock, announced
        // in answer to the binding made during the first.
        return wl_display_roundtrip_queue(m_display, m_queue) >= 0 && m_presentation != nullptr &&
               m_shm != nullptr && m_compositor != nullptr && m_subcompositor != nullptr &&
               wl_display_roundtrip_queue(m_display, m_queue) >= 0;
    }

    bool presents() const override { return true; }
    bool needs_native_surface() const override { return false; }

    QString sources() const override { return QStringLiteral("presented, then delivery"); }

    void present(QWidget& widget, const QImage& frame) override {
        // A frame that is not committed has no feedback to wait for: the
        // onset then stays the clock read after the attempt.
        m_book.not_committed();
        wl_display_dispatch_queue_pending(m_display, m_queue); // buffers let go of
        if (frame.isNull()) {
            return;
        }
        Placed& placed = place(widget);
        placed.frame = frame;
        commit(placed);
    }

    void await_frame(FrameShown shown) override {
        settle();
        m_waiting = std::move(shown);
        if (const std::optional<PresentationFeedback::Settled> now = m_book.await()) {
            answer(now->stamp);
            return;
        }
        poll(0);
        if (m_waiting) {
            m_waiting_since.start();
            m_poll.start();
        }
    }

    void settle() override {
        QElapsedTimer waited;
        waited.start();
        while (m_waiting && waited.elapsed() < feedback_wait_ms) {
            poll(static_cast<int>(feedback_wait_ms - waited.elapsed()));
        }
        if (m_waiting) {
            answer(std::nullopt);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        for (auto& [widget, placed] : m_placed) {
            if (placed.window != watched) {
                continue;
            }
            if (event->type() == QEvent::Hide) {
                // Qt drops the window's surface now; ours goes first, and
                // comes back with the frame shown last when it is exposed.
                drop_surface(placed);
            } else if (event->type() == QEvent::Expose && placed.window->isExposed() &&
                       placed.surface == nullptr && !placed.frame.isNull()) {
                // After Qt's own handling of the event, which may make the
                // window's surface anew.
                QTimer::singleShot(0, this, [this, key = widget] {
                    const auto found = m_placed.find(key);
                    // Not when a frame came meanwhile: a second commit
                    // before the compositor's next frame discards the first.
                    if (found != m_placed.end() && found->second.surface == nullptr) {
                        commit(found->second);
                    }
                });
            }
        }
        return false;
    }

private:
    // Our surface over one stimulus area, and what it shows.
    struct Placed {
        QPointer<QWidget> widget;
        QPointer<QWindow> window; // the test window, which we follow
        wl_surface* parent = nullptr;
        wl_surface* surface = nullptr;
        wl_subsurface* subsurface = nullptr;
        QPoint position;
        QImage frame; // the frame shown last, shown again after a hide
    };

    void global(wl_registry* registry, std::uint32_t name, const char* interface,
                std::uint32_t version) {
        if (std::strcmp(interface, wp_presentation_interface.name) == 0) {
            m_presentation = static_cast<wp_presentation*>(
                wl_registry_bind(registry, name, &wp_presentation_interface, 1));
            // Listened to at once: the clock is announced only once, and an
            // event that finds no listener is lost.
            static const wp_presentation_listener clock_listener = {[](void* data, wp_presentation*,
                                                                       std::uint32_t clock) {
                static_cast<WaylandFramePresenter*>(data)->m_clock = static_cast<clockid_t>(clock);
            }};
            wp_presentation_add_listener(m_presentation, &clock_listener, this);
        } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
            m_shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
        } else if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
            m_compositor = static_cast<wl_compositor*>(
                wl_registry_bind(registry, name, &wl_compositor_interface, std::min(version, 3U)));
        } else if (std::strcmp(interface, wl_subcompositor_interface.name) == 0) {
            m_subcompositor = static_cast<wl_subcompositor*>(
                wl_registry_bind(registry, name, &wl_subcompositor_interface, 1));
        }
    }

    Placed& place(QWidget& widget) {
        auto [found, added] = m_placed.try_emplace(&widget);
        Placed& placed = found->second;
        if (added) {
            placed.widget = &widget;
            QObject::connect(&widget, &QObject::destroyed, this, [this, key = &widget] {
                if (const auto gone = m_placed.find(key); gone != m_placed.end()) {
                    drop_surface(gone->second);
                    m_placed.erase(gone);
                }
            });
        }
        QWindow* window = widget.window()->windowHandle();
        if (window != placed.window) {
            if (placed.window) {
                placed.window->removeEventFilter(this);
            }
            drop_surface(placed);
            placed.window = window;
            if (window != nullptr) {
                window->installEventFilter(this);
            }
        }
        return placed;
    }

    // Shows the frame on our surface, made first where there is none, with
    // feedback asked for it.
    void commit(Placed& placed) {
        if (!placed.widget || !placed.window || !placed.window->isExposed()) {
            return;
        }
        wl_surface* parent = window_surface(placed.window);
        if (parent != placed.parent) {
            drop_surface(placed); // the window's surface was made anew
        }
        if (parent == nullptr) {
            return;
        }
        const bool made = placed.surface == nullptr;
        if (made) {
            placed.parent = parent;
            placed.surface = wl_compositor_create_surface(m_compositor);
            placed.subsurface =
                wl_subcompositor_get_subsurface(m_subcompositor, placed.surface, parent);
            wl_subsurface_set_desync(placed.subsurface);
            // No input region: presses and pointer moves go to the window below.
            wl_region* nothing = wl_compositor_create_region(m_compositor);
            wl_surface_set_input_region(placed.surface, nothing);
            wl_region_destroy(nothing);
        }
        // The widget's place on the window's surface, whose origin lies at
        // the corner of the decorations Qt draws around the window.
        const QMargins margins = placed.window->frameMargins();
        const QPoint position = placed.widget->mapTo(placed.widget->window(), QPoint()) +
                                QPoint(margins.left(), margins.top());
        const bool moved = made || position != placed.position;
        if (moved) {
            placed.position = position;
            wl_subsurface_set_position(placed.subsurface, position.x(), position.y());
        }

        const QImage pixels = placed.frame.convertToFormat(QImage::Format_RGB32);
        wl_buffer* buffer = buffer_for(pixels);
        if (buffer == nullptr) {
            return;
        }
        const int scale = std::max(1, qRound(pixels.devicePixelRatio()));
        wl_surface_set_buffer_scale(placed.surface, scale);
        const QRect all(0, 0, pixels.width() / scale, pixels.height() / scale);
        wl_region* opaque = wl_compositor_create_region(m_compositor);
        wl_region_add(opaque, 0, 0, all.width(), all.height());
        wl_surface_set_opaque_region(placed.surface, opaque);
        wl_region_destroy(opaque);
        wl_surface_attach(placed.surface, buffer, 0, 0);
        wl_surface_damage(placed.surface, 0, 0, all.width(), all.height());
        // Asked before the commit: the feedback is for the commit that follows.
        Feedback* feedback = wp_presentation_feedback(m_presentation, placed.surface);
        static const wp_presentation_feedback_listener feedback_listener = {
            [](void*, Feedback*, wl_output*) {},
            [](void* data, Feedback* done, std::uint32_t seconds_high, std::uint32_t seconds_low,
               std::uint32_t nanoseconds, std::uint32_t, std::uint32_t, std::uint32_t,
               std::uint32_t) {
                const std::int64_t seconds =
                    (std::int64_t{seconds_high} << 32) | std::int64_t{seconds_low};
                static_cast<WaylandFramePresenter*>(data)->feedback_came(
                    done, seconds * 1000000 + nanoseconds / 1000);
            },
            [](void* data, Feedback* done) {
                static_cast<WaylandFramePresenter*>(data)->feedback_came(done, std::nullopt);
            }};
        wp_presentation_feedback_add_listener(feedback, &feedback_listener, this);
        wl_surface_commit(placed.surface);
        if (moved) {
            // A subsurface is added and placed with its parent's next commit;
            // Qt has nothing half-done on its surface between its own frames.
            wl_surface_commit(parent);
        }
        wl_display_flush(m_display);
        m_frames[feedback] = m_book.committed();
    }

    void drop_surface(Placed& placed) {
        if (placed.subsurface != nullptr) {
            wl_subsurface_destroy(placed.subsurface);
        }
        if (placed.surface != nullptr) {
            wl_surface_destroy(placed.surface);
            wl_display_flush(m_display);
        }
        placed.subsurface = nullptr;
        placed.surface = nullptr;
        placed.parent = nullptr;
    }

    wl_buffer* buffer_for(const QImage& pixels) {
        const auto stride = static_cast<std::size_t>(pixels.bytesPerLine());
        const std::size_t size = stride * static_cast<std::size_t>(pixels.height());
        const int fd = memfd_create("tavo-frame", MFD_CLOEXEC);
        if (fd < 0) {
            return nullptr;
        }
        void* memory = MAP_FAILED;
        if (ftruncate(fd, static_cast<off_t>(size)) == 0) {
            memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        }
        if (memory == MAP_FAILED) {
            close(fd);
            return nullptr;
        }
        std::memcpy(memory, pixels.constBits(), size);
        wl_shm_pool* pool = wl_shm_create_pool(m_shm, fd, static_cast<std::int32_t>(size));
        // QImage's RGB32 is the compositor's XRGB8888: 0xffRRGGBB in native order.
        wl_buffer* buffer =
            wl_shm_pool_create_buffer(pool, 0, pixels.width(), pixels.height(),
                                      static_cast<std::int32_t>(stride), WL_SHM_FORMAT_XRGB8888);
        wl_shm_pool_destroy(pool);
        close(fd);
        wl_buffer_add_listener(buffer, &buffer_listener, new ShmBuffer{buffer, memory, size});
        return buffer;
    }

    // Reads what the compositor sent for our queue, waiting up to `timeout_ms`
    // for it, and handles it. Qt's own reading of the connection sorts our
    // events into our queue too; the read protocol lets both read.
    void poll(int timeout_ms) {
        while (wl_display_prepare_read_queue(m_display, m_queue) != 0) {
            wl_display_dispatch_queue_pending(m_display, m_queue);
        }
        wl_display_flush(m_display);
        pollfd socket{wl_display_get_fd(m_display), POLLIN, 0};
        if (::poll(&socket, 1, timeout_ms) > 0) {
            wl_display_read_events(m_display);
        } else {
            wl_display_cancel_read(m_display);
        }
        wl_display_dispatch_queue_pending(m_display, m_queue);
        if (m_waiting && m_poll.isActive() && m_waiting_since.elapsed() >= feedback_wait_ms) {
            answer(std::nullopt);
        }
    }

    void feedback_came(Feedback* feedback, std::optional<std::int64_t> time) {
        wp_presentation_feedback_destroy(feedback);
        const auto frame = m_frames.find(feedback);
        if (frame == m_frames.end()) {
            return;
        }
        const PresentationFeedback::Frame number = frame->second;
        m_frames.erase(frame);
        // A discarded frame has no time.
        std::optional<FrameStamp> stamp;
        if (time) {
            const std::int64_t microseconds =
                m_clock == CLOCK_MONOTONIC ? *time
                                           : onto_monotonic(*time, clock_microseconds(m_clock),
                                                            clock_microseconds(CLOCK_MONOTONIC));
            stamp = FrameStamp{microseconds, FrameStampSource::presented, true};
        }
        if (const std::optional<PresentationFeedback::Settled> settled =
                m_book.feedback(number, stamp)) {
            if (m_waiting) {
                answer(settled->stamp);
            }
        }
    }

    void answer(std::optional<FrameStamp> stamp) {
        m_poll.stop();
        m_book.give_up();
        FrameShown shown = std::move(m_waiting);
        m_waiting = nullptr;
        if (shown) {
            shown(stamp);
        }
    }

    wl_display* m_display;
    wl_event_queue* m_queue;
    wl_registry* m_registry;
    wp_presentation* m_presentation = nullptr;
    wl_shm* m_shm = nullptr;
    wl_compositor* m_compositor = nullptr;
    wl_subcompositor* m_subcompositor = nullptr;
    clockid_t m_clock = CLOCK_MONOTONIC;
    std::map<QWidget*, Placed> m_placed;
    // Which frame each pending feedback is for, and which answers the onset.
    std::map<Feedback*, PresentationFeedback::Frame> m_frames;
    PresentationFeedback m_book;
    FrameShown m_waiting;
    QElapsedTimer m_waiting_since;
    QTimer m_poll;
};

} // namespace

std::unique_ptr<FramePresenter> make_wayland_frame_presenter() {
    if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("wayland")) {
        return nullptr;
    }
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display = native != nullptr
                        ? static_cast<wl_display*>(
                              native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")))
                        : nullptr;
    if (display == nullptr) {
        return nullptr;
    }
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
    wl_registry* registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    auto presenter = std::make_unique<WaylandFramePresenter>(display, queue, registry);
    if (!presenter->bind()) {
        return nullptr;
    }
    return presenter;
}

} // namespace tavo

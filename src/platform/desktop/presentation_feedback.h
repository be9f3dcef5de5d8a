// Which frame's presentation time answers an awaited onset. Every frame is
// committed with a request for the compositor's feedback, which comes later:
// the frame was presented at a time, or discarded. The onset waits for the
// frame committed last; a frame that a later one replaced before it was shown
// went on screen with that later frame, so the later frame's time stands for
// it. A frame that could not be committed leaves nothing to wait for, not even
// an earlier frame's time.
#pragma once

#include "display_stamps.h"

#include <cstdint>
#include <optional>

namespace tavo {

class PresentationFeedback {
public:
    using Frame = std::uint64_t;
    // The answer for the awaited onset: the frame's stamp, or nothing when
    // the frame was never shown (the reading after handing it over stands).
    struct Settled {
        std::optional<FrameStamp> stamp;
    };

    // A frame was committed with feedback asked for it; its number.
    Frame committed();
    // A frame could not be committed.
    void not_committed();
    // The onset is the frame committed last: answered at once when that
    // frame's feedback has come or there is no such frame, else later by
    // feedback().
    std::optional<Settled> await();
    // The feedback of `frame` came: its stamp, or nothing when discarded. The
    // awaited onset's answer when this settles it.
    std::optional<Settled> feedback(Frame frame, std::optional<FrameStamp> stamp);
    // Nobody waits any more.
    void give_up() { m_waited = no_frame; }

private:
    static constexpr Frame no_frame = 0;
    Frame m_count = 0;
    Frame m_last = no_frame;
    bool m_last_done = false;
    std::optional<FrameStamp> m_last_stamp;
    Frame m_waited = no_frame;
};

// A time of the compositor's presentation clock moved onto the monotonic
// clock by the two clocks' difference now (both in microseconds).
inline std::int64_t onto_monotonic(std::int64_t stamp, std::int64_t clock_now,
                                   std::int64_t monotonic_now) {
    return stamp + (monotonic_now - clock_now);
}

} // namespace tavo

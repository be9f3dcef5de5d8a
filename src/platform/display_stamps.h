// The time a stimulus's frame was shown. Once the program has handed a frame
// to the display system, the display system can say when it showed it: the
// X server's Present extension gives the vertical blank at which the frame
// went on screen, in microseconds of the monotonic clock; without it the
// server's time once it had drawn the frame's pixels (DAMAGE), or once it had
// processed the frame's requests (SYNC's server time), stand in. That moment
// is the stimulus's onset, whatever delays the program between handing the
// frame over and reading its own clock. The answer can come after the frame
// was handed over, from the event loop; where the system says nothing, the
// clock read after handing the frame over stands.
#pragma once

#include "clock.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace tavo {

// Where a frame's time came from, best first.
enum class FrameStampSource {
    present,     // the X Present extension's completion: the frame's vertical blank
    damage,      // the X DAMAGE extension: the server's time the pixels changed
    server_time, // the X SYNC extension's server time after the frame's requests
    presented,   // Wayland's presentation-time feedback
};

struct FrameStamp {
    // The monotonic clock (our clock's) in microseconds; a source of whole
    // milliseconds gives them times 1000.
    std::int64_t microseconds = 0;
    FrameStampSource source = FrameStampSource::server_time;
    // Whether `microseconds` has microseconds of its own.
    bool fine = false;
};

// The clock reading of a stamp: its whole milliseconds, wrapped to 32 bits.
inline ClockReading stamp_reading(const FrameStamp& stamp) {
    return static_cast<ClockReading>(static_cast<std::uint32_t>(stamp.microseconds / 1000));
}

using FrameShown = std::function<void(std::optional<FrameStamp>)>;

class DisplayStamps {
public:
    virtual ~DisplayStamps() = default;
    // Called right after a frame was handed to the display system: `shown`
    // gets the time the frame was shown, exactly once, before this returns
    // or later from the event loop, or nothing when the system cannot tell.
    // A later call answers any earlier one still waiting first.
    virtual void await_frame(FrameShown shown) = 0;
    // The answer is needed now: any answer still outstanding is given before
    // this returns, with the best stamp there is by then.
    virtual void settle() = 0;
};

// For a display system that tells nothing (or no display at all).
class NoDisplayStamps : public DisplayStamps {
public:
    void await_frame(FrameShown shown) override { shown(std::nullopt); }
    void settle() override {}
};

inline DisplayStamps& no_display_stamps() {
    static NoDisplayStamps none;
    return none;
}

} // namespace tavo

// The time a stimulus reached the display server. Once the program has
// drawn a frame and handed it to the display server, a server that keeps
// time can say when it had processed that frame, in the clock's
// milliseconds: that moment is the stimulus's onset, whatever delays the
// program between sending the frame and reading its own clock. Where the
// server says nothing, there is no stamp, and the clock read after the
// repaint stands.
#pragma once

#include "clock.h"

#include <optional>

namespace tavo {

class DisplayStamps {
public:
    virtual ~DisplayStamps() = default;
    // Called right after a frame was handed to the display server: the
    // server's time once it had processed it, or nothing. Waits for the
    // server's answer.
    virtual std::optional<ClockReading> frame_processed() = 0;
};

// For a display server that keeps no time we can ask for (or none at all).
class NoDisplayStamps final : public DisplayStamps {
public:
    std::optional<ClockReading> frame_processed() override { return std::nullopt; }
};

inline DisplayStamps& no_display_stamps() {
    static NoDisplayStamps none;
    return none;
}

} // namespace tavo

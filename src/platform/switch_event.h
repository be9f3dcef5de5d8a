// One thing the switch did. The switch reaches the program as the left mouse
// button or as a key the administrator chose; either way the tests see only
// these edges, so their logic does not know which one the switch sends.
#pragma once

#include "clock.h"

#include <cstdint>
#include <optional>

namespace tavo {

enum class SwitchEdge : std::uint8_t {
    press,
    // Every press is a press: one the window system reports as the second of
    // a double click (an answer soon after an anticipation, say) is no
    // different, since ignoring it would lose a real answer.
    release,
};

struct SwitchEvent {
    SwitchEdge edge = SwitchEdge::press;
    // When the input system itself saw the edge, on the test clock, where
    // the platform stamps its events; empty otherwise, and the logic reads
    // the clock when the event reaches it.
    std::optional<ClockReading> input_stamp;
};

} // namespace tavo

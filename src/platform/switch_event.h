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
    release,
    // A press the window system reports as the second press of a double
    // click (within the system's double-click time of the one before).
    double_click_press,
};

// Whether an edge puts the switch down. A press soon after another (an
// anticipation, say) is still a press: ignoring it would lose a real answer.
inline bool puts_switch_down(SwitchEdge edge) {
    return edge != SwitchEdge::release;
}

struct SwitchEvent {
    SwitchEdge edge = SwitchEdge::press;
    // When the input system itself saw the edge, on the test clock, where
    // the platform stamps its events; empty otherwise, and the logic reads
    // the clock when the event reaches it.
    std::optional<ClockReading> input_stamp;
};

} // namespace tavo

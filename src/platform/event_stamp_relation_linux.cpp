// Linux: X11 servers and Wayland compositors stamp input events with
// CLOCK_MONOTONIC in milliseconds, the clock of our readings. (A remote X
// server's clock is another machine's: the plausibility check on each
// reading turns such stamps away.)
#include "event_stamp_clock.h"

namespace tavo {

EventStampClock::Relation input_stamp_relation() {
    return EventStampClock::Relation::same_clock;
}

} // namespace tavo

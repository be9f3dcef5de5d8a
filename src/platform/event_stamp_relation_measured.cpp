// Windows (the message time) and macOS (the event's time since start-up)
// stamp input in clocks whose relation to ours is not fixed: it is measured.
#include "event_stamp_clock.h"

namespace tavo {

EventStampClock::Relation input_stamp_relation() {
    return EventStampClock::Relation::measured_offset;
}

} // namespace tavo

// A clock reading and where its time came from. A press or release is best
// timed by the stamp the input system put on it, and a stimulus by the
// display server's time after its frame; the clock read when the program got
// round to the event (its delivery) is the fallback, and is kept beside the
// reading so that the two can be compared.
#pragma once

#include "clock.h"

#include <optional>

namespace tavo {

enum class ReadingSource {
    delivery,       // the clock read when the program handled the event
    input_system,   // the input event's own stamp
    display_server, // the display server's time after the stimulus's frame
};

struct TimedReading {
    ClockReading value = 0; // what the results use
    ReadingSource source = ReadingSource::delivery;
    ClockReading delivery = 0; // the clock read on delivery
};

// How much earlier than its delivery a stamp may lie and still be believed.
inline constexpr std::int32_t stamp_age_limit_ms = 1000;

// The reading an event's stamp gives: the stamp when there is one that is
// not later than the delivery reading and at most a second earlier;
// otherwise the delivery reading. Readings wrap at 2^32, so the comparison
// is on their difference.
TimedReading checked_reading(std::optional<ClockReading> stamp, ReadingSource source,
                             ClockReading delivery);

// The reading taken at delivery, with no stamp.
inline TimedReading delivery_reading(ClockReading delivery) {
    return {delivery, ReadingSource::delivery, delivery};
}

} // namespace tavo

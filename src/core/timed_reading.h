// A clock reading and where its time came from. A press or release is best
// timed by the stamp the input system put on it, and a stimulus by the
// display server's time after its frame; the clock read when the program got
// round to the event (its delivery) is the fallback, and is kept beside the
// reading so that the two can be compared.
#pragma once

#include "clock.h"
#include "display_stamps.h"

#include <cstdint>
#include <optional>

namespace tavo {

enum class ReadingSource {
    delivery,     // the clock read when the program handled the event
    input_system, // the input event's own stamp
    present,      // the vertical blank the stimulus's frame was shown at (X Present)
    damage,       // the X server's time the frame's pixels changed (DAMAGE)
    server_time,  // the X server's time after the frame's requests (SYNC)
    presented,    // the compositor's presentation time (Wayland)
};

struct TimedReading {
    ClockReading value = 0; // what the results use
    ReadingSource source = ReadingSource::delivery;
    ClockReading delivery = 0; // the clock read on delivery
    // The stamp in microseconds of the monotonic clock, where its source
    // gives them; -1 otherwise.
    std::int64_t microseconds = -1;
};

// How much earlier than its delivery a stamp may lie and still be believed.
inline constexpr std::int32_t stamp_age_limit_ms = 1000;

// The reading an event's stamp gives: the stamp when there is one that is
// not later than the delivery reading and at most a second earlier;
// otherwise the delivery reading. Readings wrap at 2^32, so the comparison
// is on their difference.
TimedReading checked_reading(std::optional<ClockReading> stamp, ReadingSource source,
                             ClockReading delivery);

// The onset a frame's stamp gives: the stamp when it lies between the moment
// the frame was handed over (`handed`, read just before) and the moment its
// answer was taken in (`answered`), at most a second apart; otherwise the
// delivery reading, the clock read right after the frame was handed over.
// A frame cannot be shown before it was handed over, nor after we heard so.
TimedReading frame_reading(std::optional<FrameStamp> stamp, ClockReading handed,
                           ClockReading delivery, ClockReading answered);

// The reading taken at delivery, with no stamp.
inline TimedReading delivery_reading(ClockReading delivery) {
    return {delivery, ReadingSource::delivery, delivery, -1};
}

} // namespace tavo

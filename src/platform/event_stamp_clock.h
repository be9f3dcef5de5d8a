// Input events carry the time the input system stamped on them, in the
// system's own clock. On Linux, X11 and Wayland stamp them with
// CLOCK_MONOTONIC in milliseconds, the clock of our readings: the stamp is
// a reading as it is. Elsewhere the two clocks' offset is measured: the
// smallest gap between an event's delivery and its stamp over the latest
// events stands for the offset, as the quickest delivery is the one closest
// to no delay at all.
#pragma once

#include "clock.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tavo {

class EventStampClock {
public:
    enum class Relation { same_clock, measured_offset };

    explicit EventStampClock(Relation relation)
        : m_relation(relation) {}

    // The stamp in our clock's milliseconds, given the clock's reading on
    // its delivery; nothing for an event that carries no stamp (0).
    std::optional<ClockReading> to_reading(std::uint64_t stamp, ClockReading delivery);

    // The number of latest events whose gaps give the offset: enough to
    // include a quick delivery, few enough to follow the clocks' drift.
    static constexpr int gaps_kept = 32;

private:
    Relation m_relation;
    std::array<std::int32_t, gaps_kept> m_gaps{};
    int m_gap_count = 0;
    int m_next_gap = 0;
};

// How this system's input stamps relate to our clock.
EventStampClock::Relation input_stamp_relation();

} // namespace tavo

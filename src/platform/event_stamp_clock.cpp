#include "event_stamp_clock.h"

#include <algorithm>

namespace tavo {

std::optional<ClockReading> EventStampClock::to_reading(std::uint64_t stamp,
                                                        ClockReading delivery) {
    if (stamp == 0) {
        return std::nullopt;
    }
    // Both clocks are milliseconds that wrap at 2^32: work modulo 2^32.
    const auto stamp32 = static_cast<std::uint32_t>(stamp);
    if (m_relation == Relation::same_clock) {
        return static_cast<ClockReading>(stamp32);
    }
    const auto gap = static_cast<std::int32_t>(static_cast<std::uint32_t>(delivery) - stamp32);
    m_gaps[static_cast<std::size_t>(m_next_gap)] = gap;
    m_next_gap = (m_next_gap + 1) % gaps_kept;
    m_gap_count = std::min(m_gap_count + 1, gaps_kept);
    const std::int32_t offset = *std::min_element(m_gaps.begin(), m_gaps.begin() + m_gap_count);
    return static_cast<ClockReading>(stamp32 + static_cast<std::uint32_t>(offset));
}

} // namespace tavo

// The local date-and-time record that stamps each test's start: eight 16-bit
// fields in the order year, month, day of week, day, hour, minute, second,
// milliseconds, as assessment files and the results expect them.
#pragma once

#include <cstdint>

class QDateTime;

namespace tavo {

struct LocalTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day_of_week = 0; // 0 = Sunday
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t millisecond = 0;

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

LocalTime local_time_from(const QDateTime& local);

// Fills the record from the local clock, as a test does at its start press.
LocalTime local_time_now();

} // namespace tavo

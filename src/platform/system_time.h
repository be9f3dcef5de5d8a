// The local date-and-time record that stamps each test's start: eight 16-bit
// fields in the order year, month, day of week, day, hour, minute, second,
// milliseconds, as assessment files and the results expect them.
#pragma once

#include <cstdint>

class QDateTime;

namespace tavo {

struct SystemTime {
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;
    std::uint16_t wDayOfWeek = 0; // 0 = Sunday
    std::uint16_t wDay = 0;
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;

    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

SystemTime system_time_from(const QDateTime& local);

// Fills the record from the local clock, as a test does at its start press.
SystemTime local_time_now();

} // namespace tavo

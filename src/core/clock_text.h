// The one time notation of assessment files: hours, then two-digit minutes,
// two-digit seconds and three-digit milliseconds, all joined by colons
// (9:05:07:042). Hours do not wrap at midnight, so an event after midnight
// of a test begun before it reads 24:00:00:250.
#pragma once

#include "clock.h"
#include "local_time.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace tavo {

struct ClockParts {
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
    std::int32_t milliseconds = 0;
};

// The time of day of a start record in milliseconds. Its fields are read as
// 16-bit signed numbers, so a start time taken from an edited file with
// negative parts keeps its value. nullopt when the sum overflows 32 bits.
std::optional<std::int32_t> time_of_day_ms(const LocalTime& time);

// The time of day of a reading: its test's start time of day plus the clock
// time passed since the start press, taken across a wrap of the clock only
// when the plain sum leaves 32 bits. nullopt when the start is no time of day
// or both sums leave 32 bits.
std::optional<std::int32_t> reading_time_of_day(const LocalTime& start_time,
                                                ClockReading start_tick, ClockReading reading);

// A negative count carries the sign in every part: -3907042 is -1:-05:-07:-042.
QString format_clock_text(std::int32_t ms);

// The first four colon-separated pieces as whole numbers (blanks around a
// number are allowed; pieces after the fourth are ignored). nullopt when there
// are fewer pieces, one is no number or one does not fit 32 bits.
std::optional<ClockParts> parse_clock_parts(QStringView text);

// The milliseconds the text stands for; nullopt as for parse_clock_parts, or
// when the count (or any step of summing it) overflows 32 bits.
std::optional<std::int32_t> parse_clock_text(QStringView text);

} // namespace tavo

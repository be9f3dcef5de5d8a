#include "clock_text.h"

#include "results.h"

#include <cstdlib>
#include <limits>

namespace tavo {

namespace {

constexpr std::int32_t ms_per_hour = 3600000;
constexpr std::int32_t ms_per_minute = 60000;
constexpr std::int32_t ms_per_second = 1000;

bool fits_32_bits(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

// Sums the parts the way 32-bit arithmetic would, failing at the first step
// that overflows rather than only checking the final sum.
std::optional<std::int32_t> checked_sum(const ClockParts& parts) {
    const std::int64_t terms[] = {
        std::int64_t{parts.hours} * ms_per_hour, std::int64_t{parts.minutes} * ms_per_minute,
        std::int64_t{parts.seconds} * ms_per_second, std::int64_t{parts.milliseconds}};
    std::int64_t sum = 0;
    for (const std::int64_t term : terms) {
        sum += term;
        if (!fits_32_bits(term) || !fits_32_bits(sum)) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(sum);
}

// A magnitude padded to `digits`, with the sign in front of the padding.
QString signed_part(std::int32_t value, int digits) {
    const QString magnitude =
        QString::number(std::abs(value)).rightJustified(digits, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + magnitude : magnitude;
}

std::optional<std::int32_t> parse_whole_number(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (!fits_32_bits(value)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

std::optional<std::int32_t> time_of_day_ms(const LocalTime& time) {
    return checked_sum(
        {static_cast<std::int16_t>(time.hour), static_cast<std::int16_t>(time.minute),
         static_cast<std::int16_t>(time.second), static_cast<std::int16_t>(time.millisecond)});
}

std::optional<std::int32_t> reading_time_of_day(const LocalTime& start_time,
                                                ClockReading start_tick, ClockReading reading) {
    const std::optional<std::int32_t> start = time_of_day_ms(start_time);
    if (!start) {
        return std::nullopt;
    }
    // Readings read from a file are times of day themselves, however far
    // apart an edit put them: written back as they are. Only a run that
    // crossed the clock's wrap needs the wrapped difference, and its plain
    // difference of about 2^32 ms can never fit.
    const std::int64_t plain = std::int64_t{*start} + (std::int64_t{reading} - start_tick);
    if (fits_32_bits(plain)) {
        return static_cast<std::int32_t>(plain);
    }
    const std::int64_t time =
        std::int64_t{*start} + wrapped_reading_difference(reading, start_tick);
    if (!fits_32_bits(time)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(time);
}

QString format_clock_text(std::int32_t ms) {
    // Division and remainder truncate towards zero, so every part of a
    // negative count is negative or zero.
    const std::int32_t hours = ms / ms_per_hour;
    const std::int32_t minutes = ms % ms_per_hour / ms_per_minute;
    const std::int32_t seconds = ms % ms_per_minute / ms_per_second;
    const std::int32_t milliseconds = ms % ms_per_second;
    return QString::number(hours) + QLatin1Char(':') + signed_part(minutes, 2) + QLatin1Char(':') +
           signed_part(seconds, 2) + QLatin1Char(':') + signed_part(milliseconds, 3);
}

std::optional<ClockParts> parse_clock_parts(QStringView text) {
    std::int32_t values[4] = {};
    qsizetype start = 0;
    for (int i = 0; i < 4; ++i) {
        if (start > text.size()) {
            return std::nullopt;
        }
        qsizetype end = text.indexOf(u':', start);
        if (end < 0) {
            end = text.size();
        }
        const std::optional<std::int32_t> value = parse_whole_number(text.mid(start, end - start));
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
        start = end + 1;
    }
    return ClockParts{values[0], values[1], values[2], values[3]};
}

std::optional<std::int32_t> parse_clock_text(QStringView text) {
    const std::optional<ClockParts> parts = parse_clock_parts(text);
    return parts ? checked_sum(*parts) : std::nullopt;
}

} // namespace tavo

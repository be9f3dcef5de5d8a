#include "timed_reading.h"

namespace tavo {

TimedReading checked_reading(std::optional<ClockReading> stamp, ReadingSource source,
                             ClockReading delivery) {
    if (!stamp) {
        return delivery_reading(delivery);
    }
    const auto age = static_cast<std::int32_t>(static_cast<std::uint32_t>(delivery) -
                                               static_cast<std::uint32_t>(*stamp));
    if (age < 0 || age > stamp_age_limit_ms) {
        return delivery_reading(delivery);
    }
    return {*stamp, source, delivery, -1};
}

namespace {

ReadingSource reading_source(FrameStampSource source) {
    switch (source) {
    case FrameStampSource::present:
        return ReadingSource::present;
    case FrameStampSource::damage:
        return ReadingSource::damage;
    case FrameStampSource::server_time:
        return ReadingSource::server_time;
    case FrameStampSource::presented:
        return ReadingSource::presented;
    }
    return ReadingSource::delivery;
}

// b - a in milliseconds, across the 32-bit wrap.
std::int32_t wrapped_difference(ClockReading a, ClockReading b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b) - static_cast<std::uint32_t>(a));
}

} // namespace

TimedReading frame_reading(std::optional<FrameStamp> stamp, ClockReading handed,
                           ClockReading delivery, ClockReading answered) {
    if (!stamp) {
        return delivery_reading(delivery);
    }
    const ClockReading value = stamp_reading(*stamp);
    const std::int32_t after_handing = wrapped_difference(handed, value);
    const std::int32_t before_answer = wrapped_difference(value, answered);
    if (after_handing < 0 || before_answer < 0 || after_handing > stamp_age_limit_ms) {
        return delivery_reading(delivery);
    }
    return {value, reading_source(stamp->source), delivery, stamp->fine ? stamp->microseconds : -1};
}

} // namespace tavo

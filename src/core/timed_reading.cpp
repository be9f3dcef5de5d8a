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
    return {*stamp, source, delivery};
}

} // namespace tavo

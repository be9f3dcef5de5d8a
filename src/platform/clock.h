// The test clock: a millisecond counter held as a signed 32-bit value that
// wraps like the system's own, requests for 1 ms timer resolution, and local
// time. Trial logic reads time only through this interface, so tests drive it
// with a fake.
#pragma once

#include "local_time.h"

#include <cstdint>

namespace tavo {

// A reading of the millisecond counter. 0 means nothing was recorded.
using ClockReading = std::int32_t;

class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockReading now() = 0;
    // Ask for, and give back, 1 ms resolution of the system's timers. Every
    // begin is followed by exactly one end.
    virtual void begin_period() = 0;
    virtual void end_period() = 0;
    virtual LocalTime local_time() = 0;
};

// The system's clock: milliseconds of the monotonic clock, counted from boot.
class SystemClock final : public Clock {
public:
    ClockReading now() override;
    void begin_period() override;
    void end_period() override;
    LocalTime local_time() override;
};

} // namespace tavo

#include "clock.h"

#include "timer_resolution.h"

#include <chrono>

namespace tavo {

ClockReading SystemClock::now() {
    return system_milliseconds();
}

void SystemClock::begin_period() {
    request_fine_timer_resolution();
}

void SystemClock::end_period() {
    release_fine_timer_resolution();
}

LocalTime SystemClock::local_time() {
    return local_time_now();
}

} // namespace tavo

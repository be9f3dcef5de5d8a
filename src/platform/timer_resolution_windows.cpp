// Windows: the multimedia timer's counter, and 1 ms resolution on request.
#include "timer_resolution.h"

// <timeapi.h> needs the types <windows.h> declares, so it comes second.
// clang-format off
#include <windows.h>
#include <timeapi.h>
// clang-format on

namespace tavo {

std::int32_t system_milliseconds() {
    return static_cast<std::int32_t>(timeGetTime());
}

void request_fine_timer_resolution() {
    timeBeginPeriod(1);
}
void release_fine_timer_resolution() {
    timeEndPeriod(1);
}

} // namespace tavo

// Windows: the multimedia timer's counter, and 1 ms resolution on request.
#include "timer_resolution.h"

#include <timeapi.h>
#include <windows.h>

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

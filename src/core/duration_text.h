// Durations as the program shows them: two-digit minutes, seconds and three-digit
// milliseconds (00:01.234), whole hours dropped.
#pragma once

#include <QString>
#include <cstdint>

namespace tavo {

// A negative duration (only an edited file can give one) carries one leading
// minus sign: -1 gives -00:00.001.
QString format_duration_text(std::int64_t ms);

} // namespace tavo

#include "duration_text.h"

namespace tavo {

QString format_duration_text(std::int64_t ms) {
    const std::int64_t magnitude = ms < 0 ? -ms : ms;
    const std::int64_t within_hour = magnitude % 3'600'000;
    const std::int64_t minutes = within_hour / 60'000;
    const std::int64_t seconds = (within_hour % 60'000) / 1'000;
    const std::int64_t millis = within_hour % 1'000;
    return QStringLiteral("%1%2:%3.%4")
        .arg(ms < 0 ? QStringLiteral("-") : QString())
        .arg(minutes, 2, 10, QChar(u'0'))
        .arg(seconds, 2, 10, QChar(u'0'))
        .arg(millis, 3, 10, QChar(u'0'));
}

} // namespace tavo

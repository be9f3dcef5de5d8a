#include "settings_input.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavo {

namespace {

// The box's number as typed, fraction and all, or nullopt.
std::optional<double> exact_number_of(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (!ok) {
        value = QLocale::c().toDouble(trimmed, &ok);
    }
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::int64_t> whole_number_of(const QString& text, const QLocale& locale) {
    const std::optional<double> value = exact_number_of(text, locale);
    if (!value || std::fabs(*value) > 1e15) {
        return std::nullopt;
    }
    // rint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<std::int64_t>(std::rint(*value));
}

SettingCheck check_seconds_setting(const QString& text, const QString& setting_name,
                                   const QLocale& locale) {
    const std::optional<std::int64_t> seconds = whole_number_of(text, locale);
    if (!seconds || *seconds < min_setting_seconds || *seconds > max_setting_seconds) {
        return {std::nullopt,
                QStringLiteral("The %1 must be a number of seconds from %2 to %3. \"%4\" cannot "
                               "be used; please correct it and start the test again.")
                    .arg(setting_name)
                    .arg(min_setting_seconds)
                    .arg(max_setting_seconds)
                    .arg(text)};
    }
    return {static_cast<std::int16_t>(*seconds * 1000), QString()};
}

std::optional<int> stepped_setting(const QString& box_text, int last_position, int delta,
                                   const QLocale& locale) {
    const std::optional<std::int64_t> current = whole_number_of(box_text, locale);
    const std::int64_t from = current.value_or(last_position);
    const std::int64_t stepped =
        std::clamp<std::int64_t>(from + delta, min_updown_seconds, max_updown_seconds);
    // Compared with the number as typed, so that 10.4 and up does not give 10.
    const double typed = exact_number_of(box_text, locale).value_or(last_position);
    const bool against_direction =
        delta > 0 ? static_cast<double>(stepped) < typed : static_cast<double>(stepped) > typed;
    if (against_direction) {
        return std::nullopt;
    }
    return static_cast<int>(stepped);
}

} // namespace tavo

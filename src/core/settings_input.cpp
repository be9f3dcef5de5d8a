#include "settings_input.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavo {

namespace {} // namespace

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

} // namespace tavo

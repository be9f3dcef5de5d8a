// The typed test settings of the Performance Tests tab: reading a box's text as
// whole seconds, and checking it before a test starts.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace tavo {

// Settings are whole seconds in this range: 0 would never let the stimulus
// timer fire, and above 32 seconds the value in milliseconds does not fit.
inline constexpr int min_setting_seconds = 1;
inline constexpr int max_setting_seconds = 32;

// The box's text as a whole number: blanks around it are accepted, a fraction
// is rounded to the nearest whole number with halves to the even one. Accepts
// the user's own decimal separator and the point. nullopt when it is no number.
std::optional<std::int64_t> whole_number_of(const QString& text, const QLocale& locale);

// The box's number as typed, fraction and all, or nullopt.
std::optional<double> exact_number_of(const QString& text, const QLocale& locale);

struct SettingCheck {
    std::optional<std::int16_t> milliseconds; // set when the setting is usable
    QString refusal;                          // why not, otherwise
};

// Checks a delay or hold setting before a test starts. `setting_name` is the
// caption the administrator sees, such as "Maximum Stimulus Delay".
SettingCheck check_seconds_setting(const QString& text, const QString& setting_name,
                                   const QLocale& locale);

} // namespace tavo

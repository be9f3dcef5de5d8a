// The typed test settings of the Performance Tests tab: reading a box's text as
// whole seconds, stepping it with the up-down arrows, and the stimulus colours.
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
// The up-down arrows step within this range.
inline constexpr int min_updown_seconds = 1;
inline constexpr int max_updown_seconds = 10;

// The box's text as a whole number: blanks around it are accepted, a fraction
// is rounded to the nearest whole number with halves to the even one. Accepts
// the user's own decimal separator and the point. nullopt when it is no number.
std::optional<std::int64_t> whole_number_of(const QString& text, const QLocale& locale);

struct SettingCheck {
    std::optional<std::int16_t> milliseconds; // set when the setting is usable
    QString refusal;                          // why not, otherwise
};

// Checks a delay or hold setting before a test starts. `setting_name` is the
// caption the administrator sees, such as "Maximum Stimulus Delay".
SettingCheck check_seconds_setting(const QString& text, const QString& setting_name,
                                   const QLocale& locale);

// The number an up-down arrow puts in its box: one more or one less than the
// box's number, kept within the arrows' range. When the box holds no number
// the arrow steps from its own last position. An arrow never moves the number
// against its direction: up never lowers what was typed (15 stays 15 above
// the range's top), down never raises it; then the result is nullopt and the
// box keeps its text.
std::optional<int> stepped_setting(const QString& box_text, int last_position, int delta,
                                   const QLocale& locale);

} // namespace tavo

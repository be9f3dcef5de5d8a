#include "layout_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavo {

namespace {

// The frames keep this margin inside the window's client area.
constexpr float frame_margin = 150;

// Makes a rectangle whose size a rule computed; a window too small for the
// fixed margins gets an empty control rather than a negative size.
TwipRect sized(float left, float top, float width, float height) {
    return {left, top, std::max(width, 0.0f), std::max(height, 0.0f)};
}

TwipRect inset(const TwipRect& area, float margin) {
    return sized(area.left + margin, area.top + margin, area.width - 2 * margin,
                 area.height - 2 * margin);
}

TwipRect centred_on(const TwipRect& area, TwipSize size) {
    return {area.left + area.width / 2 - size.width / 2,
            area.top + area.height / 2 - size.height / 2, size.width, size.height};
}

// Font sizes are whole points held in 16 bits. Halves go to the even neighbour
// (nearbyint in the default rounding mode); a size beyond 16 bits, which only a
// window over ten thousand pixels wide would ask for, stays at the largest.
std::int16_t whole_points(float points) {
    const float limit = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(std::nearbyint(points), 0.0f, limit));
}

LabelPlacement centred_label(const TwipRect& area, const LabelMeasure& measure,
                             std::int16_t points) {
    return {points, centred_on(area, measure(points))};
}

// The frame with the test's name, the "Stimulus" frame inside it and the
// background shape, which all the test windows place alike.
struct StimulusArea {
    TwipRect frame;
    TwipRect stimulus_frame;
    TwipRect backdrop;
};

StimulusArea stimulus_area(const WindowTwips& window) {
    const TwipSize client = window.client;
    StimulusArea area;
    area.frame = inset({0, 0, client.width, client.height}, frame_margin);
    area.stimulus_frame = sized(area.frame.left + 850, area.frame.top + 1000,
                                area.frame.width - 1750, area.frame.height - 1550);
    area.backdrop = sized(250, 350, client.width - 2550, client.height - 2500);
    return area;
}

// The restart notice is centred across the window; half the stimulus frame's
// height plus half the window's outer height puts it just below that frame at
// any window size.
TwipRect restart_msg_rect(const WindowTwips& window, const TwipRect& stimulus_frame,
                          TwipSize size) {
    return {window.client.width / 2 - size.width / 2,
            stimulus_frame.height / 2 + window.outer.height / 2 + 50, size.width, size.height};
}

} // namespace

std::int16_t cue_font_points(float outer_width) {
    const float ratio = outer_width / 5000;
    return whole_points(ratio * ratio * ratio + outer_width / 250);
}

std::int16_t error_font_points(float outer_width) {
    return whole_points(outer_width / 35);
}

ActivationLayout activation_layout(const WindowTwips& window, const LabelMeasure& click_label,
                                   TwipSize restart_msg, TwipSize click_to_start) {
    const StimulusArea area = stimulus_area(window);
    ActivationLayout layout;
    layout.frame = area.frame;
    layout.stimulus_frame = area.stimulus_frame;
    layout.backdrop = area.backdrop;
    layout.stimulus = inset(area.backdrop, 500);
    layout.click_label =
        centred_label(area.backdrop, click_label, cue_font_points(window.outer.width));
    layout.restart_msg = restart_msg_rect(window, area.stimulus_frame, restart_msg);
    layout.click_to_start = centred_on(area.backdrop, click_to_start);
    return layout;
}

ReleaseLayout release_layout(const WindowTwips& window, const ReleaseLabelMeasures& labels,
                             TwipSize restart_msg, TwipSize click_to_start) {
    const StimulusArea area = stimulus_area(window);
    ReleaseLayout layout;
    layout.frame = area.frame;
    layout.stimulus_frame = area.stimulus_frame;
    layout.backdrop = area.backdrop;
    layout.stimulus = inset(area.backdrop, 250);
    layout.release_cue = inset(area.backdrop, 500);

    const std::int16_t cue_points = cue_font_points(window.outer.width);
    layout.click_label = centred_label(area.backdrop, labels.click_label, cue_points);
    layout.release_label = centred_label(area.backdrop, labels.release_label, cue_points);
    // The "X" sits a little above the middle of the cue.
    layout.error_mark =
        centred_label(area.backdrop, labels.error_mark, error_font_points(window.outer.width));
    layout.error_mark.rect.top -= 200;

    layout.restart_msg = restart_msg_rect(window, area.stimulus_frame, restart_msg);
    // The start button lies on the window, below and right of the cue's middle;
    // it is placed from the background's size alone.
    layout.click_to_start = {area.backdrop.width / 2 + 1500 - click_to_start.width / 2,
                             area.backdrop.height / 2 + 1500 - click_to_start.height / 2,
                             click_to_start.width, click_to_start.height};
    return layout;
}

} // namespace tavo

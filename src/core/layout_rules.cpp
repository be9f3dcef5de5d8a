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
    TwipRect act_stim;
    TwipRect BG;
};

StimulusArea stimulus_area(const WindowTwips& window) {
    const TwipSize client = window.client;
    StimulusArea area;
    area.frame = inset({0, 0, client.width, client.height}, frame_margin);
    area.act_stim = sized(area.frame.left + 850, area.frame.top + 1000, area.frame.width - 1750,
                          area.frame.height - 1550);
    area.BG = sized(250, 350, client.width - 2550, client.height - 2500);
    return area;
}

// The restart notice is centred across the window; half the stimulus frame's
// height plus half the window's outer height puts it just below that frame at
// any window size.
TwipRect restart_msg_rect(const WindowTwips& window, const TwipRect& act_stim, TwipSize size) {
    return {window.client.width / 2 - size.width / 2,
            act_stim.height / 2 + window.outer.height / 2 + 50, size.width, size.height};
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
    layout.act_frame = area.frame;
    layout.act_stim = area.act_stim;
    layout.BG = area.BG;
    layout.stimulus = inset(area.BG, 500);
    layout.click_label = centred_label(area.BG, click_label, cue_font_points(window.outer.width));
    layout.restart_msg = restart_msg_rect(window, area.act_stim, restart_msg);
    layout.click_to_start = centred_on(area.BG, click_to_start);
    return layout;
}

ReleaseLayout release_layout(const WindowTwips& window, const ReleaseLabelMeasures& labels,
                             TwipSize restart_msg, TwipSize click_to_start) {
    const StimulusArea area = stimulus_area(window);
    ReleaseLayout layout;
    layout.rel_frame = area.frame;
    layout.act_stim = area.act_stim;
    layout.BG = area.BG;
    layout.stimulus = inset(area.BG, 250);
    layout.Stim_Release = inset(area.BG, 500);

    const std::int16_t cue_points = cue_font_points(window.outer.width);
    layout.click_label = centred_label(area.BG, labels.click_label, cue_points);
    layout.Release_Label = centred_label(area.BG, labels.Release_Label, cue_points);
    // The "X" sits a little above the middle of the cue.
    layout.Error_label =
        centred_label(area.BG, labels.Error_label, error_font_points(window.outer.width));
    layout.Error_label.rect.top -= 200;

    layout.restart_msg = restart_msg_rect(window, area.act_stim, restart_msg);
    // The start button lies on the window, below and right of the cue's middle;
    // it is placed from the background's size alone.
    layout.click_to_start = {area.BG.width / 2 + 1500 - click_to_start.width / 2,
                             area.BG.height / 2 + 1500 - click_to_start.height / 2,
                             click_to_start.width, click_to_start.height};
    return layout;
}

} // namespace tavo

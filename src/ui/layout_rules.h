// The resize rules of the three test windows: for a window of a given size,
// where its frames, stimulus shapes, cue labels, restart notice and start
// button go, and how large the cue labels' fonts are. Pure arithmetic on twips,
// kept in single precision like the windows' own coordinates; moving widgets
// and setting fonts is the window's job, and so is leaving a minimised window
// alone.
//
// Every rectangle is in the coordinates of the control's container, exactly as
// the windows nest their controls: `stimulus_frame` is placed from its frame's window
// position although it lies inside that frame. A rule that would give a
// negative width or height gives 0, and later rules read the clamped value, as
// they would read it back from the control.
#pragma once

#include <cstdint>
#include <functional>

namespace tavo {

struct TwipSize {
    float width = 0;
    float height = 0;

    friend bool operator==(const TwipSize&, const TwipSize&) = default;
};

struct TwipRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

struct WindowTwips {
    TwipSize outer;  // border and caption included
    TwipSize client; // the area the controls are laid out in
};

// Gives a label the font size it is passed, lets the label size itself to its
// caption and returns the size it then has. The rules centre a label on the
// size it has after its font changed, so the window measures it in between.
using LabelMeasure = std::function<TwipSize(std::int16_t points)>;

// A label's font size and its place after the font changed.
struct LabelPlacement {
    std::int16_t points = 0;
    TwipRect rect;
};

// The font size of the cue labels: it grows faster than the window's width, so
// that the cue stays prominent on large screens.
std::int16_t cue_font_points(float outer_width);

// The font size of the release window's error mark "X".
std::int16_t error_font_points(float outer_width);

// `Activation_Test` and `Repetition_Test`.
struct ActivationLayout {
    TwipRect frame;
    TwipRect stimulus_frame;
    TwipRect backdrop;
    TwipRect stimulus;
    LabelPlacement click_label;
    TwipRect restart_msg;
    TwipRect click_to_start; // inside stimulus_frame
};

// `restart_msg` and `click_to_start` keep the sizes passed.
ActivationLayout activation_layout(const WindowTwips& window, const LabelMeasure& click_label,
                                   TwipSize restart_msg, TwipSize click_to_start);

// The release window measures three labels: the HOLD and RELEASE cues and the "X".
struct ReleaseLabelMeasures {
    LabelMeasure click_label;
    LabelMeasure release_label;
    LabelMeasure error_mark;
};

// `Release_Test`.
struct ReleaseLayout {
    TwipRect frame;
    TwipRect stimulus_frame;
    TwipRect backdrop;
    TwipRect stimulus;    // the HOLD cue
    TwipRect release_cue; // the RELEASE cue, a margin inside the HOLD cue
    LabelPlacement click_label;
    LabelPlacement release_label;
    LabelPlacement error_mark;
    TwipRect restart_msg;
    TwipRect click_to_start; // on the window itself, not inside stimulus_frame
};

ReleaseLayout release_layout(const WindowTwips& window, const ReleaseLabelMeasures& labels,
                             TwipSize restart_msg, TwipSize click_to_start);

} // namespace tavo

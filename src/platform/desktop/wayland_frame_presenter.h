// The Wayland presenter, where this build has one: made only when the
// application runs on Qt's Wayland plugin.
#pragma once

#include "frame_presenter.h"

#include <memory>

namespace tavo {

// The presenter for a Wayland session, or nothing when the application does
// not run on Wayland or the compositor has no presentation feedback.
std::unique_ptr<FramePresenter> make_wayland_frame_presenter();

} // namespace tavo

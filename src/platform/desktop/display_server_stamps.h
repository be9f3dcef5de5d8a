// The display stamps of the display server this program runs on, chosen
// once the application exists: on X11 the SYNC extension's server time;
// elsewhere (Wayland, Windows, macOS, no display at all) none yet, and the
// onsets are read after their repaint.
#pragma once

#include "display_stamps.h"

#include <memory>

namespace tavo {

std::unique_ptr<DisplayStamps> make_display_server_stamps();

} // namespace tavo

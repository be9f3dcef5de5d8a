// Built where no X11 SYNC binding was found.
#include "display_server_stamps.h"

namespace tavo {

std::unique_ptr<DisplayStamps> make_display_server_stamps() {
    return std::make_unique<NoDisplayStamps>();
}

} // namespace tavo

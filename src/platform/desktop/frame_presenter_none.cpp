// Built where display stamps were turned off (TAVO_DISPLAY_STAMPS=OFF) or the
// platform has none yet.
#include "frame_presenter.h"

namespace tavo {

std::unique_ptr<FramePresenter> make_frame_presenter() {
    return std::make_unique<NoFramePresenter>();
}

QString built_display_stamps() {
    return QStringLiteral("none (built without display stamps)");
}

} // namespace tavo

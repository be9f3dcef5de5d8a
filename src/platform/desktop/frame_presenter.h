// Shows the stimulus area's frames whole, through the display system, and
// says when each was shown. A frame is the whole stimulus area (its shape,
// its caption, the HOLD or RELEASE cue) drawn into one picture first and then
// handed over in one piece, so that no part of it reaches the screen later
// than another; its onset is the display system's own time for it.
//
// On X11 the frame goes to a native child window over the stimulus area: with
// the Present extension as a presented pixmap (the onset is the vertical
// blank it was shown at), otherwise copied from a pixmap in one request (the
// onset is DAMAGE's time for the change, or the server's time once it had
// processed it). Under Wayland it goes to a subsurface of the window over the
// stimulus area, and the onset is the compositor's presentation time for it.
// Elsewhere (Windows, macOS, no display) nothing is presented here: the
// window repaints its widgets and the onset is the clock read after the
// repaint.
#pragma once

#include "display_stamps.h"

#include <QString>
#include <memory>

class QImage;
class QWidget;

namespace tavo {

class FramePresenter : public DisplayStamps {
public:
    // Whether frames go through present(); without it the window paints its
    // widgets as any other.
    virtual bool presents() const = 0;
    // Whether present()'s surface must be a native window of its own that
    // nothing else paints (X11), or stays an ordinary widget, painted as any
    // other, whose place the presenter covers with a surface of its own
    // (Wayland, where a native child window never shows a frame of ours).
    virtual bool needs_native_surface() const { return true; }
    // Shows `frame` on `surface`, a native child window that nothing else
    // paints. Called right before await_frame() for a stimulus's onset, and
    // alone for any other change of the stimulus area.
    virtual void present(QWidget& surface, const QImage& frame) = 0;
    // The stamp sources this session uses, best first, for the timing check:
    // "present, then servertime, then delivery".
    virtual QString sources() const = 0;
};

class NoFramePresenter final : public FramePresenter {
public:
    void await_frame(FrameShown shown) override { shown(std::nullopt); }
    void settle() override {}
    bool presents() const override { return false; }
    void present(QWidget&, const QImage&) override {}
    QString sources() const override { return QStringLiteral("delivery"); }
};

inline FramePresenter& no_frame_presenter() {
    static NoFramePresenter none;
    return none;
}

// The presenter of the display system this program runs on, chosen once the
// application exists.
std::unique_ptr<FramePresenter> make_frame_presenter();

// The display stamp sources this build was made with ("X11 Present, DAMAGE,
// SYNC server time" or "none").
QString built_display_stamps();

} // namespace tavo

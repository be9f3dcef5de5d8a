#include "key_repeat.h"

#include <QGuiApplication>
#include <X11/XKBlib.h>

namespace tavo {

void report_key_repeats_as_presses() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->display()) {
        Bool supported = False;
        XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
    }
}

} // namespace tavo

#include "x_robot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace tavo::testing {

namespace {

// A window may go away between listing it and asking about it.
int ignore_x_error(Display*, XErrorEvent*) {
    return 0;
}

std::string window_name(Display* display, Window window) {
    char* name = nullptr;
    std::string text;
    if (XFetchName(display, window, &name) && name != nullptr) {
        text = name;
        XFree(name);
    }
    return text;
}

} // namespace

struct XRobot::Connection {
    Display* display = nullptr;
};

XRobot::XRobot(const std::string& display)
    : m_connection(std::make_unique<Connection>()) {
    XSetErrorHandler(ignore_x_error);
    m_connection->display = XOpenDisplay(display.c_str());
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    if (m_connection->display != nullptr &&
        !XTestQueryExtension(m_connection->display, &event_base, &error_base, &major, &minor)) {
        XCloseDisplay(m_connection->display);
        m_connection->display = nullptr;
    }
}

XRobot::~XRobot() {
    if (m_connection->display != nullptr) {
        XCloseDisplay(m_connection->display);
    }
}

bool XRobot::ok() const {
    return m_connection->display != nullptr;
}

std::optional<ScreenPoint> XRobot::find_window(const std::string& name) {
    Display* display = m_connection->display;
    const Window root_window = DefaultRootWindow(display);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<ScreenPoint> found;
    if (XQueryTree(display, root_window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, children[i], &attributes) &&
                attributes.map_state == IsViewable &&
                window_name(display, children[i]).find(name) != std::string::npos) {
                ScreenPoint at;
                Window child = 0;
                XTranslateCoordinates(display, children[i], root_window, 0, 0, &at.x, &at.y,
                                      &child);
                found = at;
            }
        }
        XFree(children);
    }
    return found;
}

void XRobot::move(ScreenPoint at) {
    XTestFakeMotionEvent(m_connection->display, DefaultScreen(m_connection->display), at.x, at.y,
                         CurrentTime);
    XSync(m_connection->display, False);
}

void XRobot::button(bool press) {
    XTestFakeButtonEvent(m_connection->display, 1, press ? True : False, CurrentTime);
    XSync(m_connection->display, False);
}

void XRobot::click(ScreenPoint at) {
    move(at);
    button(true);
    button(false);
}

} // namespace tavo::testing

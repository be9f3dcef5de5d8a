#include "x_session.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sched.h>
#include <sstream>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavo::bench {

std::int64_t now_us() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

void sleep_until_us(std::int64_t when) {
    // Sleep to within a millisecond, then spin: the robot's interval must be exact.
    while (when - now_us() > 1500) {
        usleep(500);
    }
    while (now_us() < when) {
    }
}

namespace {
// A window may go away between listing it and asking about it: no error here.
int ignore_x_error(Display*, XErrorEvent*) {
    return 0;
}
} // namespace

XSession::XSession()
    : m_display(XOpenDisplay(nullptr)) {
    XSetErrorHandler(ignore_x_error);
    if (m_display == nullptr) {
        throw std::runtime_error("cannot open the X display");
    }
    int event_base = 0, error_base = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(m_display, &event_base, &error_base, &major, &minor)) {
        throw std::runtime_error("the X server has no XTest extension");
    }
    m_root = DefaultRootWindow(m_display);
    if (const char* framebuffer = std::getenv("TAVO_BENCH_FRAMEBUFFER")) {
        attach_framebuffer(framebuffer);
    }
}

XSession::~XSession() {
    if (m_mapping != nullptr) {
        munmap(m_mapping, m_framebuffer_size);
    }
    XCloseDisplay(m_display);
}

namespace {

// A field of the XWD header Xvfb writes before its framebuffer: big-endian 32-bit words.
std::uint32_t header_word(const unsigned char* header, int index) {
    const unsigned char* word = header + index * 4;
    return std::uint32_t{word[0]} << 24 | std::uint32_t{word[1]} << 16 |
           std::uint32_t{word[2]} << 8 | std::uint32_t{word[3]};
}

} // namespace

void XSession::attach_framebuffer(const char* path) {
    const int file = open(path, O_RDONLY);
    struct stat status {};
    if (file < 0 || fstat(file, &status) != 0 || status.st_size < 100) {
        if (file >= 0) {
            close(file);
        }
        std::fprintf(stderr, "cannot read the framebuffer %s: pixels read through GetImage\n",
                     path);
        return;
    }
    m_framebuffer_size = static_cast<std::size_t>(status.st_size);
    void* mapped = mmap(nullptr, m_framebuffer_size, PROT_READ, MAP_SHARED, file, 0);
    close(file);
    if (mapped == MAP_FAILED) {
        return;
    }
    const auto* header = static_cast<const unsigned char*>(mapped);
    // ZPixmap, 32 bits a pixel, least significant byte first: BGRX in memory.
    const bool usable =
        header_word(header, 2) == 2 && header_word(header, 11) == 32 && header_word(header, 7) == 0;
    m_pixels_offset = header_word(header, 0) + std::size_t{header_word(header, 19)} * 12;
    m_stride = header_word(header, 12);
    m_screen_width = static_cast<int>(header_word(header, 4));
    m_screen_height = static_cast<int>(header_word(header, 5));
    if (!usable || m_pixels_offset + m_stride * static_cast<std::size_t>(m_screen_height) >
                       m_framebuffer_size) {
        munmap(mapped, m_framebuffer_size);
        std::fprintf(stderr,
                     "the framebuffer %s is not 32-bit ZPixmap: pixels read through "
                     "GetImage\n",
                     path);
        return;
    }
    m_mapping = mapped;
    m_framebuffer = header;
}

std::string XSession::pixel_source() const {
    return m_framebuffer != nullptr
               ? "pixels read from the X server's framebuffer in memory, no request to it"
               : "pixels read through GetImage requests to the X server";
}

bool XSession::framebuffer_shows(Window window, Rgb colour, Point at) {
    auto known = m_origins.find(window);
    if (known == m_origins.end()) {
        known = m_origins.emplace(window, origin(window)).first;
    }
    auto shows = [&](int dx, int dy) {
        const int x = known->second.x + at.x + dx;
        const int y = known->second.y + at.y + dy;
        if (x < 0 || y < 0 || x >= m_screen_width || y >= m_screen_height) {
            return false;
        }
        // The server writes these bytes as we read them: read them once, as they are now.
        const volatile unsigned char* pixel = m_framebuffer + m_pixels_offset +
                                              static_cast<std::size_t>(y) * m_stride +
                                              static_cast<std::size_t>(x) * 4;
        const int b = pixel[0], g = pixel[1], r = pixel[2];
        return std::abs(r - colour.r) < 8 && std::abs(g - colour.g) < 8 &&
               std::abs(b - colour.b) < 8;
    };
    return shows(0, 0) && shows(1, 1);
}

namespace {

std::string window_name(Display* display, Window window) {
    std::string name;
    const Atom net_name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, net_name, 0, 256, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        name.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (name.empty()) {
        char* plain = nullptr;
        if (XFetchName(display, window, &plain) && plain != nullptr) {
            name = plain;
            XFree(plain);
        }
    }
    return name;
}

} // namespace

Window XSession::find_window(const std::string& name) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(m_display, m_root, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(m_display, children[i], &attributes) &&
                attributes.map_state == IsViewable &&
                window_name(m_display, children[i]).find(name) != std::string::npos) {
                found = children[i];
            }
        }
        XFree(children);
    }
    return found;
}

Window XSession::wait_for_window(const std::string& name, int timeout_ms) {
    const std::int64_t end = now_us() + std::int64_t{timeout_ms} * 1000;
    while (now_us() < end) {
        if (const Window window = find_window(name)) {
            return window;
        }
        usleep(1000);
    }
    return 0;
}

Point XSession::origin(Window window) {
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, window, m_root, 0, 0, &x, &y, &child);
    return {x, y};
}

Point XSession::size(Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(m_display, window, &attributes);
    return {attributes.width, attributes.height};
}

void XSession::move_pointer(int x, int y) {
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), x, y, CurrentTime);
    XSync(m_display, False);
}

std::int64_t XSession::acknowledged(std::int64_t sent) {
    XSync(m_display, False);
    m_injection_us = now_us() - sent;
    return sent;
}

std::int64_t XSession::button(bool press) {
    const std::int64_t at = now_us();
    XTestFakeButtonEvent(m_display, 1, press ? True : False, CurrentTime);
    return acknowledged(at);
}

std::int64_t XSession::key_event(unsigned long keysym, bool press) {
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    const std::int64_t at = now_us();
    XTestFakeKeyEvent(m_display, code, press ? True : False, CurrentTime);
    return acknowledged(at);
}

void XSession::click(int x, int y) {
    move_pointer(x, y);
    button(true);
    usleep(30'000);
    button(false);
    XSync(m_display, False);
}

void XSession::key(unsigned long keysym, unsigned long modifier) {
    const KeyCode mod = modifier != 0 ? XKeysymToKeycode(m_display, modifier) : 0;
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    if (mod != 0) {
        XTestFakeKeyEvent(m_display, mod, True, CurrentTime);
    }
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    if (mod != 0) {
        XTestFakeKeyEvent(m_display, mod, False, CurrentTime);
    }
    XSync(m_display, False);
}

void XSession::focus(Window window) {
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

namespace {

bool matches(XImage* image, int x, int y, Rgb colour) {
    const unsigned long pixel = XGetPixel(image, x, y);
    const int r = static_cast<int>((pixel >> 16) & 0xff);
    const int g = static_cast<int>((pixel >> 8) & 0xff);
    const int b = static_cast<int>(pixel & 0xff);
    return std::abs(r - colour.r) < 8 && std::abs(g - colour.g) < 8 && std::abs(b - colour.b) < 8;
}

} // namespace

bool XSession::shows_colour(Window window, Rgb colour, Point at) {
    if (m_framebuffer != nullptr) {
        return framebuffer_shows(window, colour, at);
    }
    XImage* image = XGetImage(m_display, window, at.x, at.y, 2, 2, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    const bool seen = matches(image, 0, 0, colour) && matches(image, 1, 1, colour);
    XDestroyImage(image);
    return seen;
}

std::int64_t XSession::wait_for_colour(Window window, Rgb colour, Point& at, int timeout_ms) {
    const std::int64_t end = now_us() + std::int64_t{timeout_ms} * 1000;
    if (at.known()) {
        std::int64_t missed_sent = 0;
        while (now_us() < end) {
            const std::int64_t sent = now_us();
            if (shows_colour(window, colour, at)) {
                m_sighting = {missed_sent, sent, now_us()};
                return m_sighting.seen;
            }
            missed_sent = sent;
            usleep(poll_interval_us);
        }
        return 0;
    }
    const Point extent = size(window);
    while (now_us() < end) {
        XImage* image = XGetImage(m_display, window, 0, 0, static_cast<unsigned>(extent.x),
                                  static_cast<unsigned>(extent.y), AllPlanes, ZPixmap);
        if (image == nullptr) {
            continue;
        }
        const std::int64_t seen = now_us();
        // The middle of the first run of matching pixels found on a coarse grid.
        for (int y = 4; y + 4 < extent.y && !at.known(); y += 4) {
            for (int x = 4; x + 4 < extent.x; x += 4) {
                if (matches(image, x, y, colour) && matches(image, x + 4, y + 4, colour)) {
                    at = {x + 2, y + 2};
                    break;
                }
            }
        }
        XDestroyImage(image);
        if (at.known()) {
            // The framebuffer must show what the server says it shows.
            if (m_framebuffer != nullptr && !framebuffer_shows(window, colour, at)) {
                std::fprintf(stderr, "the framebuffer does not show the window's pixels: "
                                     "pixels read through GetImage\n");
                m_framebuffer = nullptr;
            }
            return seen;
        }
        usleep(1000);
    }
    return 0;
}

Program::Program(const std::string& binary, const std::string& log_path,
                 const std::vector<std::string>& arguments) {
    std::vector<const char*> argv{binary.c_str(), "--clock-log", log_path.c_str()};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    argv.push_back(nullptr);
    m_started = now_us();
    m_pid = fork();
    if (m_pid == 0) {
        // The robot may run at real-time priority; the program runs as any other.
        const sched_param normal{};
        sched_setscheduler(0, SCHED_OTHER, &normal);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        // Each run is ended with SIGKILL: its recovery copies go beside the
        // log, not where the next run would be asked about them.
        const std::string state_dir = log_path + ".state";
        setenv("TAVO_STATE_DIR", state_dir.c_str(), 1);
        execv(binary.c_str(), const_cast<char* const*>(argv.data()));
        _exit(127);
    }
}

Program::~Program() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
}

long Program::rss_kb() const {
    std::ifstream status("/proc/" + std::to_string(m_pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

std::vector<LogLine> LogReader::read_new() {
    std::vector<LogLine> lines;
    std::ifstream file(m_path);
    if (!file) {
        return lines;
    }
    file.seekg(m_offset);
    std::string text;
    while (std::getline(file, text)) {
        if (file.eof()) {
            break; // a line still being written
        }
        m_offset = static_cast<long>(file.tellg());
        std::istringstream fields(text);
        LogLine line;
        fields >> line.test >> line.event >> line.trial >> line.value >> line.micros;
        std::string delivery, stamp;
        fields >> line.source >> delivery >> stamp;
        line.delivery = std::strtoll(delivery.c_str(), nullptr, 10);
        line.stamp_micros =
            stamp.empty() || stamp == "-" ? -1 : std::strtoll(stamp.c_str(), nullptr, 10);
        lines.push_back(line);
    }
    return lines;
}

bool LogReader::wait_for(const std::string& event, LogLine& line, int timeout_ms) {
    const std::int64_t end = now_us() + std::int64_t{timeout_ms} * 1000;
    for (;;) {
        for (const LogLine& more : read_new()) {
            m_pending.push_back(more);
        }
        auto found = std::find_if(m_pending.begin(), m_pending.end(),
                                  [&](const LogLine& l) { return l.event == event; });
        if (found != m_pending.end()) {
            line = *found;
            m_pending.erase(m_pending.begin(), found + 1);
            return true;
        }
        if (now_us() > end) {
            return false;
        }
        usleep(1000);
    }
}

void print_figures(const std::string& label, std::vector<double> ms) {
    if (ms.empty()) {
        std::printf("%-58s no samples\n", label.c_str());
        return;
    }
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) {
        const auto index = static_cast<std::size_t>(std::ceil(q * static_cast<double>(ms.size())));
        return ms[std::min(ms.size() - 1, index == 0 ? 0 : index - 1)];
    };
    std::printf("%-58s n=%-4zu min %6.1f  median %6.1f  p95 %6.1f  p99 %6.1f  max %6.1f  "
                "sd %5.2f ms\n",
                label.c_str(), ms.size(), ms.front(), median_of(ms), at(0.95), at(0.99), ms.back(),
                standard_deviation(ms));
    std::fflush(stdout);
}

double median_of(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double standard_deviation(const std::vector<double>& values) {
    if (values.size() < 2) {
        return 0;
    }
    double mean = 0;
    for (const double v : values) {
        mean += v;
    }
    mean /= static_cast<double>(values.size());
    double squares = 0;
    for (const double v : values) {
        squares += (v - mean) * (v - mean);
    }
    return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

} // namespace tavo::bench

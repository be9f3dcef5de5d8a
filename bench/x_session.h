// What the benchmarks share: the real program started on an X server, its
// windows found by name, switch presses injected through XTest with the
// moment of injection, the screen watched for a colour, the program's clock
// log read back, and the figures printed.
#pragma once

#include <X11/Xlib.h>
#include <cstdint>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tavo::bench {

inline constexpr int poll_interval_us = 200;

// CLOCK_MONOTONIC in microseconds: the clock behind the program's readings.
std::int64_t now_us();
void sleep_until_us(std::int64_t when);

struct Rgb {
    int r, g, b;
};

struct Point {
    int x = -1, y = -1;
    bool known() const { return x >= 0; }
};

class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // The first viewable top-level window whose name contains `name`, or 0.
    Window find_window(const std::string& name);
    Window wait_for_window(const std::string& name, int timeout_ms);
    Point origin(Window window);
    // The size of a window.
    Point size(Window window);

    void move_pointer(int x, int y);
    // Injects a left-button press (or release) and returns the moment just
    // before it was handed to the server.
    std::int64_t button(bool press);
    // The same with a key (by keysym), for a switch interface that sends one.
    std::int64_t key_event(unsigned long keysym, bool press);
    void click(int x, int y);
    // A key (by keysym) with an optional modifier keysym, to the focused window.
    void key(unsigned long keysym, unsigned long modifier = 0);
    void focus(Window window);

    // Where the screen's pixels are read: straight from the X server's
    // framebuffer in memory when TAVO_BENCH_FRAMEBUFFER names the file Xvfb
    // keeps it in (-fbdir), so that a look never waits for the server to
    // answer it; otherwise through GetImage requests.
    std::string pixel_source() const;

    // Polls until a pixel of `colour` appears in the window, every
    // `poll_interval_us` at least, so that a robot at real-time priority
    // leaves the processor to the program it watches between looks. With a known
    // point it watches a 2 x 2 patch there; otherwise it scans the window and
    // fills in the point. Returns the moment it was seen, or 0 on timeout.
    std::int64_t wait_for_colour(Window window, Rgb colour, Point& at, int timeout_ms);
    bool shows_colour(Window window, Rgb colour, Point at);

    // The last colour seen at a known point, bracketed: the server took the
    // seeing look between `sent` and `seen`, and the look before it, sent at
    // `missed_sent`, found no colour. A long round trip means the server was
    // busy with another client, not that the pixels were late.
    struct Sighting {
        std::int64_t missed_sent = 0, sent = 0, seen = 0;
    };
    Sighting last_sighting() const { return m_sighting; }
    // The round trip of the last injected switch event: from just before it
    // was handed to the server until the server had taken it in.
    std::int64_t last_injection_us() const { return m_injection_us; }

    Display* display() const { return m_display; }

private:
    std::int64_t acknowledged(std::int64_t sent);
    void attach_framebuffer(const char* path);
    bool framebuffer_shows(Window window, Rgb colour, Point at);

    Display* m_display;
    Window m_root;
    // The framebuffer file mapped into memory, and where its pixels start.
    void* m_mapping = nullptr;
    std::size_t m_framebuffer_size = 0;
    const unsigned char* m_framebuffer = nullptr; // null once it proved wrong
    std::size_t m_pixels_offset = 0, m_stride = 0;
    int m_screen_width = 0, m_screen_height = 0;
    std::map<Window, Point> m_origins;
    Sighting m_sighting;
    std::int64_t m_injection_us = 0;
};

// The program: started with --clock-log, and any further arguments, on the
// session's display.
class Program {
public:
    Program(const std::string& binary, const std::string& log_path,
            const std::vector<std::string>& arguments = {});
    ~Program();
    pid_t pid() const { return m_pid; }
    std::int64_t started_us() const { return m_started; }
    // Resident set size in kB, from /proc.
    long rss_kb() const;

private:
    pid_t m_pid = -1;
    std::int64_t m_started = 0;
};

// One line of the clock log.
struct LogLine {
    std::string test, event;
    int trial = 0;
    std::int64_t value = 0;
    std::int64_t micros = 0;
    // Where the reading's time came from (input, present, damage,
    // servertime, presented or delivery; "-" for a delay), the clock's
    // reading on delivery, and the stamp's microseconds where its source
    // gives them (-1 otherwise).
    std::string source;
    std::int64_t delivery = 0;
    std::int64_t stamp_micros = -1;
};

// Reads the lines appended since the last call.
class LogReader {
public:
    explicit LogReader(std::string path)
        : m_path(std::move(path)) {}
    std::vector<LogLine> read_new();
    // Waits until a line of `event` comes, or returns false after timeout.
    bool wait_for(const std::string& event, LogLine& line, int timeout_ms);

private:
    std::string m_path;
    long m_offset = 0;
    std::vector<LogLine> m_pending;
};

// Prints "label: n=.. min .. median .. p95 .. p99 .. max .. sd .. ms", one
// decimal (two for the standard deviation).
void print_figures(const std::string& label, std::vector<double> ms);

double median_of(std::vector<double> values);
double standard_deviation(const std::vector<double>& values);

} // namespace tavo::bench

// Drives the real program through the activation or the release test with a
// robot subject, and prints how its clock readings compare with what really
// happened: the input latency from an injected press or release to the
// program's reading of it, the stimulus onset reading against the moment
// the stimulus's pixels are in the X server's framebuffer, the drawn delays
// against those observed, and the response times recorded against the
// robot's true ones. The switch is the left mouse button, or with `space` a
// switch interface that sends the Space key (TAVO started with
// --switch-sends space).
//
// It ends with the goals for its condition (quiet, or loaded: three busy
// processes on the machine) and says which are met, and by how much the
// others are missed.
//
//   bench_trials TAVO_BINARY activation|release TRIALS LOG_FILE [mouse|space [quiet|loaded]]
#include "x_session.h"

#include <X11/keysym.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>

using namespace tavo::bench;

namespace {

constexpr Rgb yellow{255, 255, 0};     // the stimulus and the HOLD cue
constexpr Rgb dark_blue{0, 0, 192};    // the RELEASE cue
constexpr int robot_interval_ms = 150; // from seeing the stimulus to acting
constexpr int trials_per_run = 10;

// Where things sit in the main window, in pixels from its top-left corner:
// the Performance Tests tab, and on it the Start Test buttons and the down
// arrow of the maximum hold duration.
constexpr Point performance_tab{205, 38};
constexpr Point activation_start{577, 105};
constexpr Point release_start{577, 225};
constexpr Point hold_down_arrow{289, 217};

double ms(std::int64_t micros) {
    return static_cast<double>(micros) / 1000.0;
}

// The bench's moment as the program's 32-bit millisecond reading would have it.
std::int32_t as_reading(std::int64_t micros) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(micros / 1000));
}

// The time from a reading (whole ms) to a later moment of the bench (us), in ms.
double ms_after_reading(std::int64_t micros, std::int64_t reading) {
    const auto whole =
        static_cast<std::int32_t>(as_reading(micros) - static_cast<std::int32_t>(reading));
    return static_cast<double>(whole) + static_cast<double>(micros % 1000) / 1000.0;
}

// A trial that missed a goal, with what the robot saw of the X server: its
// error split into the input and the onset side, and how long the server took
// to answer the robot's look and to take in its switch event.
struct Straggler {
    int run = 0, trial = 0;
    double rt_error = 0, input_ms = 0, onset_ms = 0, look_ms = 0, since_miss_ms = 0,
           injection_ms = 0;
};

bool misses_goal(const Straggler& s, bool onset_fine) {
    return std::abs(s.rt_error) > 1.5 || (onset_fine && (-s.onset_ms < -1.0 || -s.onset_ms > 0.5));
}

void print_stragglers(const std::vector<Straggler>& stragglers) {
    for (const Straggler& s : stragglers) {
        std::printf("  trial beyond a goal: run %d trial %d: recorded minus true %.1f ms; "
                    "injected to input stamp %.1f ms (server took the event in %.2f ms); "
                    "onset stamp to pixels %.2f ms (the seeing look's round trip %.2f ms, "
                    "%.2f ms since the look that missed)\n",
                    s.run, s.trial, s.rt_error, s.input_ms, s.injection_ms, s.onset_ms, s.look_ms,
                    s.since_miss_ms);
    }
}

struct Figures {
    std::vector<double> latency_handled, latency_ms, onset, onset_fine, delay_error, rt_error;
    std::vector<double> look_round_trip, injection_round_trip;
    std::vector<Straggler> stragglers;
    int readings = 0;  // onsets and answers
    int delivered = 0; // of them, read on delivery for want of a stamp
    std::map<std::string, int> onset_sources;
    void count(const LogLine& line) {
        ++readings;
        delivered += line.source == "delivery" ? 1 : 0;
    }
};

void wait_until_gone(XSession& x, Window window, Rgb colour, Point at) {
    const std::int64_t end = now_us() + 5'000'000;
    while (x.shows_colour(window, colour, at) && now_us() < end) {
        usleep(poll_interval_us);
    }
}

void print_goal(const char* goal, bool met, const std::string& measured) {
    std::printf("  goal %-52s %s: %s\n", goal, met ? "met" : "MISSED", measured.c_str());
}

// The goals for the recorded response times and the readings' sources.
void print_goals(const Figures& figures) {
    const std::vector<double>& errors = figures.rt_error;
    if (errors.empty()) {
        return;
    }
    char text[160];
    const double median = median_of(errors);
    std::snprintf(text, sizeof text, "median %.2f ms", median);
    print_goal("median within +-0.5 ms", std::abs(median) <= 0.5, text);
    const auto outside =
        std::count_if(errors.begin(), errors.end(), [](double e) { return std::abs(e) > 1.5; });
    double worst = 0;
    for (const double e : errors) {
        worst = std::max(worst, std::abs(e));
    }
    std::snprintf(text, sizeof text, "%ld of %zu outside, worst %.1f ms",
                  static_cast<long>(outside), errors.size(), worst);
    print_goal("every trial within 1.5 ms", outside == 0, text);
    // The onset against the moment the whole stimulus could be read back, in
    // microseconds where the onset's source gives them.
    const std::vector<double>& onsets =
        figures.onset_fine.empty() ? figures.onset : figures.onset_fine;
    const auto early_or_late = std::count_if(onsets.begin(), onsets.end(), [](double seen_after) {
        const double onset_minus_seen = -seen_after;
        return onset_minus_seen < -1.0 || onset_minus_seen > 0.5;
    });
    std::snprintf(text, sizeof text, "%ld of %zu outside", static_cast<long>(early_or_late),
                  onsets.size());
    print_goal("onset minus pixels readable within [-1, +0.5] ms", early_or_late == 0, text);
    std::string shares;
    for (const auto& [source, count] : figures.onset_sources) {
        char share[64];
        std::snprintf(share, sizeof share, "%s%s %.0f%%", shares.empty() ? "" : ", ",
                      source.c_str(),
                      100.0 * count / static_cast<double>(std::max<std::size_t>(1, onsets.size())));
        shares += share;
    }
    std::printf("  onset sources: %s\n", shares.c_str());
    std::snprintf(text, sizeof text, "%d of %d readings (%.1f%%)", figures.delivered,
                  figures.readings, 100.0 * figures.delivered / std::max(1, figures.readings));
    print_goal("no reading falls back to delivery (X11)", figures.delivered == 0, text);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || argc > 7) {
        std::fprintf(stderr, "usage: bench_trials TAVO activation|release TRIALS LOG "
                             "[mouse|space [quiet|loaded]]\n");
        return 1;
    }
    const std::string binary = argv[1];
    const bool activation = std::string(argv[2]) == "activation";
    const int trials = std::atoi(argv[3]);
    const std::string log_path = argv[4];
    const bool key_switch = argc >= 6 && std::string(argv[5]) == "space";
    const bool loaded = argc == 7 && std::string(argv[6]) == "loaded";
    unlink(log_path.c_str());

    XSession x;
    Program program(binary, log_path,
                    key_switch ? std::vector<std::string>{"--switch-sends", "space"}
                               : std::vector<std::string>{});
    // The switch: the left button, or the Space key to the focused window.
    auto switch_event = [&x, key_switch](bool press) {
        return key_switch ? x.key_event(XK_space, press) : x.button(press);
    };
    LogReader log(log_path);
    const Window main_window = x.wait_for_window("TAVO", 30'000);
    if (main_window == 0) {
        std::fprintf(stderr, "the main window did not appear\n");
        return 2;
    }
    usleep(500'000);
    const Point main_at = x.origin(main_window);
    x.click(main_at.x + performance_tab.x, main_at.y + performance_tab.y);
    usleep(300'000);
    if (!activation) {
        // The shortest hold, 1 s, keeps the bench short; it changes nothing measured.
        for (int i = 0; i < 2; ++i) {
            x.click(main_at.x + hold_down_arrow.x, main_at.y + hold_down_arrow.y);
            usleep(200'000);
        }
    }
    const Point button = activation ? activation_start : release_start;
    x.click(main_at.x + button.x, main_at.y + button.y);
    const Window test = x.wait_for_window(activation ? "Activation Test" : "Release Test", 10'000);
    if (test == 0) {
        std::fprintf(stderr, "the test window did not appear\n");
        return 2;
    }
    usleep(500'000);
    const Point test_at = x.origin(test);
    // The pointer rests in a corner of the test window, off the stimulus;
    // the keyboard goes to the test window.
    x.move_pointer(test_at.x + 4, test_at.y + 4);
    x.focus(test);

    Figures figures;
    Point stimulus, release_cue;
    long rss_after_one_test = -1;
    int done = 0;
    bool warm_up = true; // the first run finds the stimulus on screen; its figures are not kept
    int run = 0;
    while (done < trials) {
        ++run;
        usleep(300'000);
        switch_event(true);
        usleep(30'000);
        switch_event(false);
        LogLine start;
        if (!log.wait_for("start", start, 5000)) {
            std::fprintf(stderr, "no start press reached the test\n");
            return 3;
        }
        for (int trial = 1; trial <= trials_per_run; ++trial) {
            LogLine delay, onset, answer;
            std::int64_t seen = 0, acted = 0, injection = 0;
            if (activation) {
                log.wait_for("delay", delay, 5000);
                seen = x.wait_for_colour(test, yellow, stimulus, 10'000);
                sleep_until_us(seen + robot_interval_ms * 1000);
                acted = switch_event(true);
                injection = x.last_injection_us();
                log.wait_for("onset", onset, 5000);
                log.wait_for("response", answer, 5000);
                wait_until_gone(x, test, yellow, stimulus);
                usleep(50'000);
                switch_event(false);
            } else {
                const std::int64_t hold = x.wait_for_colour(test, yellow, stimulus, 10'000);
                sleep_until_us(hold + 50'000);
                switch_event(true);
                seen = x.wait_for_colour(test, dark_blue, release_cue, 10'000);
                sleep_until_us(seen + robot_interval_ms * 1000);
                acted = switch_event(false);
                injection = x.last_injection_us();
                log.wait_for("onset", onset, 5000);
                log.wait_for("release", answer, 5000);
                wait_until_gone(x, test, yellow, stimulus);
            }
            if (seen == 0 || answer.trial != trial || onset.trial != trial) {
                std::fprintf(stderr, "trial %d lost its way\n", trial);
                return 3;
            }
            if (warm_up) {
                continue;
            }
            figures.latency_handled.push_back(ms(answer.micros - acted));
            figures.latency_ms.push_back(
                static_cast<double>(static_cast<std::int32_t>(answer.value) - as_reading(acted)));
            figures.onset.push_back(ms_after_reading(seen, onset.value));
            if (onset.stamp_micros >= 0) {
                figures.onset_fine.push_back(ms(seen - onset.stamp_micros));
            }
            ++figures.onset_sources[onset.source];
            figures.count(onset);
            figures.count(answer);
            if (activation) {
                figures.delay_error.push_back(ms(onset.micros - delay.micros) -
                                              static_cast<double>(delay.value));
            }
            const double recorded = static_cast<double>(answer.value - onset.value);
            figures.rt_error.push_back(recorded - ms(acted - seen));
            const XSession::Sighting sighting = x.last_sighting();
            figures.look_round_trip.push_back(ms(sighting.seen - sighting.sent));
            figures.injection_round_trip.push_back(ms(injection));
            const Straggler straggler{
                run,
                trial,
                figures.rt_error.back(),
                figures.latency_ms.back(),
                onset.stamp_micros >= 0 ? ms(seen - onset.stamp_micros) : figures.onset.back(),
                ms(sighting.seen - sighting.sent),
                sighting.missed_sent > 0 ? ms(sighting.seen - sighting.missed_sent) : 0.0,
                ms(injection)};
            if (misses_goal(straggler, onset.stamp_micros >= 0)) {
                figures.stragglers.push_back(straggler);
            }
            ++done;
        }
        // The summary message, then Ctrl+R for the next run.
        usleep(400'000);
        x.key(XK_Return);
        usleep(300'000);
        if (rss_after_one_test < 0) {
            rss_after_one_test = program.rss_kb();
        }
        x.focus(test);
        x.key(XK_r, XK_Control_L);
        x.move_pointer(test_at.x + 4, test_at.y + 4);
        warm_up = false;
    }

    const std::string test_name = activation ? "activation" : "release";
    const std::string act = activation ? "press" : "release";
    std::printf("\n%s test, %s, %s, %d trials (robot acts %d ms after it sees the cue)\n",
                test_name.c_str(), key_switch ? "key switch (Space)" : "mouse-button switch",
                loaded ? "loaded" : "quiet", trials, robot_interval_ms);
    std::printf("the robot's looks: %s\n", x.pixel_source().c_str());
    print_figures("input latency, injected " + act + " to reading", figures.latency_ms);
    print_figures("injected " + act + " to the program's handling of it (us)",
                  figures.latency_handled);
    print_figures("onset reading to pixels read back (negative: before)", figures.onset);
    if (activation) {
        print_figures("observed delay minus drawn delay", figures.delay_error);
    }
    print_figures("recorded minus true response time", figures.rt_error);
    if (!figures.onset_fine.empty()) {
        print_figures("onset stamp (us) to pixels read back", figures.onset_fine);
    }
    print_figures("the robot's look that saw the cue: its round trip", figures.look_round_trip);
    print_figures("the robot's switch event: taken in by the server after",
                  figures.injection_round_trip);
    print_goals(figures);
    print_stragglers(figures.stragglers);
    if (activation) {
        std::printf("memory: VmRSS after one complete activation test: %.1f MB\n",
                    static_cast<double>(rss_after_one_test) / 1024.0);
    }
    return 0;
}

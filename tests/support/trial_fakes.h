// Fakes for driving the trial logic without windows or real time: a clock the
// test moves, timers the test fires, queued random fractions, a switch input
// that delivers the test's presses, and a view, sound player and run recorder
// that record. All of them write into one event log so the order of calls can
// be checked.
#pragma once

#include "clock.h"
#include "completed_runs.h"
#include "display_stamps.h"
#include "one_shot_timer.h"
#include "random_source.h"
#include "reading_log.h"
#include "sound_player.h"
#include "switch_input.h"
#include "switch_trial.h"
#include "trial_view.h"

#include <QStringList>
#include <algorithm>
#include <deque>
#include <vector>

namespace tavo::testing {

class FakeClock final : public Clock {
public:
    explicit FakeClock(QStringList& log)
        : m_log(log) {}
    ClockReading time = 100'000;
    LocalTime local{2026, 12, 2, 8, 9, 5, 7, 42};
    int begins = 0;
    int ends = 0;

    ClockReading now() override {
        m_log << QStringLiteral("now");
        return time;
    }
    void begin_period() override {
        ++begins;
        m_log << QStringLiteral("begin");
    }
    void end_period() override {
        ++ends;
        m_log << QStringLiteral("end");
    }
    LocalTime local_time() override {
        m_log << QStringLiteral("local time");
        return local;
    }
    void advance(int ms) { time += ms; }

private:
    QStringList& m_log;
};

class FakeTimer final : public OneShotTimer {
public:
    FakeTimer(QStringList& log, QString name)
        : m_log(log)
        , m_name(std::move(name)) {}
    int interval_ms = 0;
    bool is_enabled = false;
    int enablings = 0;

    void set_interval(int ms) override { interval_ms = ms; }
    int interval() const override { return interval_ms; }
    void set_enabled(bool enabled) override {
        if (enabled) {
            ++enablings;
            m_log << m_name + QStringLiteral(" on");
        }
        is_enabled = enabled;
    }
    bool enabled() const override { return is_enabled; }
    void set_callback(std::function<void()> on_tick) override { m_on_tick = std::move(on_tick); }
    // The timer's interval has passed: it fires only while enabled.
    bool fire() {
        if (!is_enabled) {
            return false;
        }
        m_on_tick();
        return true;
    }

    // The trial that owned the timer is gone: it never fires again.
    void forget_owner() {
        is_enabled = false;
        m_on_tick = nullptr;
    }

private:
    QStringList& m_log;
    QString m_name;
    std::function<void()> m_on_tick;
};

// What a trial owns of a FakeTimer the test keeps: every call goes to it,
// and when the trial goes, the timer stops for good.
class FakeTimerHandle final : public OneShotTimer {
public:
    explicit FakeTimerHandle(FakeTimer& timer)
        : m_timer(timer) {}
    ~FakeTimerHandle() override { m_timer.forget_owner(); }
    FakeTimerHandle(const FakeTimerHandle&) = delete;
    FakeTimerHandle& operator=(const FakeTimerHandle&) = delete;

    void set_interval(int ms) override { m_timer.set_interval(ms); }
    int interval() const override { return m_timer.interval(); }
    void set_enabled(bool enabled) override { m_timer.set_enabled(enabled); }
    bool enabled() const override { return m_timer.enabled(); }
    void set_callback(std::function<void()> on_tick) override {
        m_timer.set_callback(std::move(on_tick));
    }

private:
    FakeTimer& m_timer;
};

class FakeRandom final : public RandomSource {
public:
    std::deque<float> fractions;
    int seeds = 0;
    void seed_from_clock() override { ++seeds; }
    float next_fraction() override {
        if (fractions.empty()) {
            return 0.5f;
        }
        const float f = fractions.front();
        fractions.pop_front();
        return f;
    }
};

class RecordingSounds final : public SoundPlayer {
public:
    explicit RecordingSounds(QStringList& log)
        : m_log(log) {}
    QStringList played;
    void play(const QString& bare_name) override {
        played << bare_name;
        m_log << QStringLiteral("sound ") + bare_name;
    }

private:
    QStringList& m_log;
};

class FakeSwitchInput final : public SwitchInput {
public:
    std::vector<SwitchClient*> clients;
    int installs = 0;
    int removes = 0;
    SwitchSends switch_sends = SwitchSends::left_button;
    SwitchKeyPairing keys;

    void install(SwitchClient& client) override {
        ++installs;
        if (!installed(client)) {
            clients.push_back(&client);
        }
    }
    void remove(SwitchClient& client) override {
        ++removes;
        std::erase(clients, &client);
    }
    bool installed(const SwitchClient& client) const override {
        return std::find(clients.begin(), clients.end(), &client) != clients.end();
    }
    void send(SwitchEdge edge, std::optional<ClockReading> input_stamp = std::nullopt) {
        const std::vector<SwitchClient*> now = clients;
        for (SwitchClient* client : now) {
            client->on_switch_event({edge, input_stamp});
        }
    }
    // A key event as the real switch input turns it into the switch's edges.
    void key(int key, bool pressed, bool auto_repeat = false,
             Qt::KeyboardModifiers modifiers = {}) {
        if (const std::optional<SwitchEdge> edge =
                keys.edge(key, modifiers, auto_repeat, pressed, switch_sends)) {
            send(*edge);
        }
    }
    void set_switch_sends(SwitchSends choice) override {
        switch_sends = choice;
        keys.forget();
    }
    void press() { send(SwitchEdge::press); }
    void release() { send(SwitchEdge::release); }
};

// The display system's time for each frame: `next` (a whole millisecond of
// server time) when set, else none. With `answer_later` the answer waits
// until answer() or settle(), as a presented frame's completion does.
class FakeDisplayStamps final : public DisplayStamps {
public:
    explicit FakeDisplayStamps(QStringList& log)
        : m_log(log) {}
    std::optional<ClockReading> next;
    FrameStampSource source = FrameStampSource::server_time;
    std::int64_t extra_microseconds = 0; // below the millisecond, for fine sources
    bool answer_later = false;
    int settles = 0;

    void await_frame(FrameShown shown) override {
        m_log << QStringLiteral("display stamp");
        m_waiting = std::move(shown);
        if (!answer_later) {
            answer();
        }
    }
    void settle() override {
        ++settles;
        m_log << QStringLiteral("settle");
        answer();
    }
    bool waiting() const { return static_cast<bool>(m_waiting); }
    // The display system answers now.
    void answer() {
        FrameShown shown = std::move(m_waiting);
        m_waiting = nullptr;
        if (!shown) {
            return;
        }
        if (!next) {
            shown(std::nullopt);
            return;
        }
        const bool fine =
            source == FrameStampSource::present || source == FrameStampSource::presented;
        shown(FrameStamp{std::int64_t{static_cast<std::uint32_t>(*next)} * 1000 +
                             (fine ? extra_microseconds : 0),
                         source, fine});
    }

private:
    QStringList& m_log;
    FrameShown m_waiting;
};

// The clock log's lines, without the moment they were written: "<event>
// <trial> <value> <source> <delivery>", and the stamp's microseconds where it has them.
class RecordingReadingLog final : public ReadingLog {
public:
    QStringList lines;

    void record(TestKind, ReadingEvent event, int trial, const TimedReading& reading) override {
        char line[128] = {};
        format_reading_line(line, sizeof line, TestKind::activation, event, trial, reading, 0);
        // Drop the test's name and the microseconds: what is left is what the trial decided.
        QStringList fields = QString::fromLatin1(line).trimmed().split(QLatin1Char(' '));
        fields.removeAt(4);
        fields.removeFirst();
        // The stamp's microseconds only where its source gives them.
        if (fields.last() == QLatin1String("-")) {
            fields.removeLast();
        }
        lines << fields.join(QLatin1Char(' '));
    }
    void record_delay(TestKind, int, std::int32_t) override {}
};

class RecordingView final : public TrialView {
public:
    explicit RecordingView(QStringList& log)
        : m_log(log) {}
    bool click_to_start = true;
    bool stimulus = false;
    bool click_label = false;
    bool release_cue = false;
    bool error = false;
    QString click_label_text = QStringLiteral("CLICK");
    QStringList summaries;

    void set_click_to_start_visible(bool v) override { click_to_start = v; }
    void set_stimulus_visible(bool v) override {
        stimulus = v;
        m_log << QString::fromLatin1(v ? "show stimulus" : "hide stimulus");
    }
    void set_click_label_visible(bool v) override {
        click_label = v;
        m_log << QString::fromLatin1(v ? "show label" : "hide label");
    }
    void set_click_label_text(const QString& text) override { click_label_text = text; }
    void set_release_cue_visible(bool v) override {
        release_cue = v;
        m_log << QString::fromLatin1(v ? "show release cue" : "hide release cue");
    }
    void set_error_visible(bool v) override { error = v; }
    void present_now() override { m_log << QStringLiteral("present"); }
    void show_summary(const QString& text) override {
        summaries << text;
        m_log << QStringLiteral("summary");
    }

private:
    QStringList& m_log;
};

// Keeps every run handed over.
class RecordingRecorder final : public RunRecorder {
public:
    explicit RecordingRecorder(QStringList& log)
        : m_log(log) {}
    std::vector<TimedRun> activation;
    std::vector<TimedRun> release;
    std::vector<RepetitionRun> repetition;

    void commit(TestKind test, const TimedRun& run) override {
        (test == TestKind::release ? release : activation).push_back(run);
        m_log << QStringLiteral("commit");
    }
    void commit(const RepetitionRun& run) override {
        repetition.push_back(run);
        m_log << QStringLiteral("commit");
    }
    std::size_t commits() const { return activation.size() + release.size() + repetition.size(); }

private:
    QStringList& m_log;
};

// Everything a trial needs, fresh for each test. The trial's first timer is
// `timer`, its second (the release test's) `second_timer`.
struct TrialRig {
    QStringList log;
    TestSettings settings;
    RecordingRecorder recorder{log};
    FakeClock clock{log};
    RecordingSounds sounds{log};
    FakeRandom random;
    FakeSwitchInput input;
    RecordingView view{log};
    FakeTimer timer{log, QStringLiteral("timer")};
    FakeTimer second_timer{log, QStringLiteral("release timer")};
    FakeDisplayStamps display{log};
    RecordingReadingLog readings;
    QStringList timer_names;

    TrialServices services() {
        return {settings, recorder, clock, sounds, random, input, readings, display};
    }
    NamedTimerFactory timers() {
        return [this](const QString& name) -> std::unique_ptr<OneShotTimer> {
            timer_names << name;
            return std::make_unique<FakeTimerHandle>(timer_names.size() == 1 ? timer
                                                                             : second_timer);
        };
    }
};

} // namespace tavo::testing

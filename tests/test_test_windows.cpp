// The three test windows as the administrator and the subject meet them:
// started from the main window, driven by real mouse events through the
// application's switch input, with a fake clock and fake timers.
#include "app_rig.h"
#include "color_button.h"
#include "default_window.h"
#include "layout_rules.h"
#include "shape_widget.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using namespace tavo;
using namespace tavo::testing;

namespace {

class RecordingClient final : public SwitchClient {
public:
    QList<SwitchEdge> edges;
    void on_switch_event(const SwitchEvent& event) override { edges << event.edge; }
};

// Calls back for each event a watched object receives.
class EventWatcher final : public QObject {
public:
    EventWatcher(QObject* watched, std::function<void(QEvent*)> seen)
        : m_seen(std::move(seen)) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        m_seen(event);
        return false;
    }

private:
    std::function<void(QEvent*)> m_seen;
};

constexpr SwitchEdge press = SwitchEdge::press;
constexpr SwitchEdge release = SwitchEdge::release;

} // namespace

class TestTestWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void start_test_opens_each_window_data();
    void start_test_opens_each_window();
    void invalid_settings_are_refused_data();
    void invalid_settings_are_refused();
    void full_screen_opens_maximised();
    void complete_activation_test_through_mouse_events();
    void results_are_shown_before_the_summary();
    void unfinished_run_leaves_the_document_and_a_saved_file_unchanged_data();
    void unfinished_run_leaves_the_document_and_a_saved_file_unchanged();
    void start_test_closes_another_tests_window_data();
    void start_test_closes_another_tests_window();
    void error_mark_stays_across_a_restart();
    void complete_activation_test_with_space_as_the_switch();
    void complete_release_test_with_an_early_release();
    void complete_repetition_test();
    void start_test_again_reuses_the_open_window();
    void ctrl_r_restarts_and_closing_makes_a_fresh_window();
    void switch_input_sees_each_button_event_once_and_consumes_none();
    void answer_soon_after_an_anticipation_counts_data();
    void answer_soon_after_an_anticipation_counts();
    void practice_shows_in_the_title_and_the_corner_data();
    void practice_shows_in_the_title_and_the_corner();
    void practice_run_completes_and_stores_nothing();
    void start_test_turns_a_practice_window_into_a_recorded_run();
    void unfinished_recorded_run_is_never_dropped_silently_data();
    void unfinished_recorded_run_is_never_dropped_silently();
    void practice_closes_another_tests_window();
    void layout_follows_the_window_size();
    void layout_follows_the_frame_data();
    void layout_follows_the_frame();

private:
    DefaultWindow& main() { return m_rig->app->main_window(); }
    template <class T = QWidget> T* main_child(const QString& name) {
        return main().findChild<T*>(name);
    }
    void press_start(const QString& button) {
        QTest::mouseClick(main_child<QPushButton>(button), Qt::LeftButton);
    }
    // A press and release of the switch, as the window system delivers them.
    void switch_press(QWidget* window) {
        QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    }
    void switch_release(QWidget* window) {
        QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    }
    // The same through the window system's key events.
    void key_press(QWidget* window, Qt::Key key = Qt::Key_Space) {
        QTest::keyPress(window->windowHandle(), key);
    }
    void key_release(QWidget* window, Qt::Key key = Qt::Key_Space) {
        QTest::keyRelease(window->windowHandle(), key);
    }
    FakeTimer& timer(const char* name) { return *m_rig->timers.value(QString::fromLatin1(name)); }
    // The summary waits until the switch event that completed the run has
    // been delivered; this delivers what waits.
    static void deliver_queued_calls() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
    // Closed windows are deleted once control returns to the event loop.
    static void delete_closed_windows() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Starts the activation test in its open window and answers `trials`
    // stimuli after `response_ms` each.
    void run_activation_trials(QWidget* window, int trials, int response_ms) {
        switch_press(window);
        switch_release(window);
        for (int i = 0; i < trials; ++i) {
            m_rig->clock.advance(timer("Stimulus_Timer").interval_ms);
            QVERIFY(timer("Stimulus_Timer").fire());
            m_rig->clock.advance(response_ms);
            switch_press(window);
            m_rig->clock.advance(90);
            switch_release(window);
        }
    }
    QStringList activation_results() {
        return {main_child<QLabel>("Label1")->text(), main_child<QLabel>("Label2")->text(),
                main_child<QLabel>("Label3")->text()};
    }
    static QByteArray file_bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A run that did not count left the stored readings, the results tab and
    // the saving state as they were: saving again writes the same bytes.
    void verify_assessment_unchanged(const TestData& data, const QStringList& results,
                                     const QString& path, const QByteArray& saved) {
        QVERIFY(m_rig->app->document().data() == data);
        QCOMPARE(activation_results(), results);
        QVERIFY(m_rig->app->document().saving().data_saved);
        QVERIFY(!m_rig->app->document().unsaved_changes());
        main_child<QAction>("save_file_menu")->trigger();
        QCOMPARE(file_bytes(path), saved);
    }

    std::unique_ptr<AppRig> m_rig;
};

namespace {

TwipSize twips_of(QSize size) {
    return {static_cast<float>(size.width() * 15), static_cast<float>(size.height() * 15)};
}

// Where the rules put the administrator's line for the window's size and frame
// as they are now, in pixels from the top of its frame.
int restart_msg_top_by_the_rules(const QWidget* window) {
    const WindowTwips sizes{twips_of(window->frameGeometry().size()), twips_of(window->size())};
    const auto unmeasured = [](std::int16_t) { return TwipSize{}; };
    const TwipSize message = twips_of(window->findChild<QWidget*>("restart_msg")->size());
    const TwipSize notice = twips_of(window->findChild<QWidget*>("click_to_start")->size());
    const float top =
        window->objectName() == QLatin1String("Release_Test")
            ? release_layout(sizes, {unmeasured, unmeasured, unmeasured}, message, notice)
                  .restart_msg.top
            : activation_layout(sizes, unmeasured, message, notice).restart_msg.top;
    return static_cast<int>(std::lround(top / 15));
}

} // namespace

void TestTestWindows::init() {
    m_rig = std::make_unique<AppRig>();
    main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
}

void TestTestWindows::cleanup() {
    m_rig.reset();
}

void TestTestWindows::start_test_opens_each_window_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("label");
    QTest::newRow("activation") << "start_act_test"
                                << "Activation_Test"
                                << "Activation Test"
                                << "act_frame"
                                << "CLICK";
    QTest::newRow("release") << "start_rel_test"
                             << "Release_Test"
                             << "Release Test"
                             << "rel_frame"
                             << "HOLD";
    QTest::newRow("repetition") << "start_rep_test"
                                << "Repetition_Test"
                                << "Repetition Test"
                                << "act_frame"
                                << "CLICK";
}

void TestTestWindows::start_test_opens_each_window() {
    QFETCH(QString, button);
    QFETCH(QString, window);
    press_start(button);
    auto* test_window = main().findChild<QWidget*>(window);
    QVERIFY(test_window);
    QVERIFY(test_window->isVisible());
    QVERIFY(!test_window->isModal());
    QVERIFY(main().isEnabled());
    QTEST(test_window->windowTitle(), "caption");
    QCOMPARE(test_window->windowState(), Qt::WindowNoState);
    QCOMPARE(test_window->size(), QSize(519, 445));
    QFETCH(QString, frame);
    QCOMPARE(test_window->findChild<QGroupBox*>(frame)->title(), test_window->windowTitle());
    QCOMPARE(test_window->findChild<QGroupBox*>("act_stim")->title(), QStringLiteral("Stimulus"));
    QCOMPARE(test_window->findChild<QPushButton*>("click_to_start")->text(),
             QStringLiteral("Notice:  Press Button Once To Start Test"));
    QVERIFY(test_window->findChild<QPushButton*>("click_to_start")->isVisible());
    QCOMPARE(test_window->findChild<QLabel*>("restart_msg")->text(),
             QStringLiteral("Administrator: Press Ctrl-R to Restart Test  or  Alt-F4 to End Test"));
    QTEST(test_window->findChild<QLabel*>("click_label")->text(), "label");
    QVERIFY(!test_window->findChild<QWidget*>("stimulus")->isVisible());
    for (const char* name : {"BG", "Image1", "Shape1"}) {
        QVERIFY2(test_window->findChild<QWidget*>(name), name);
    }
    auto* hotkey = test_window->findChild<QShortcut*>(
        window == QStringLiteral("Release_Test") ? "VBHotKey1" : "Restart_HotKey");
    QVERIFY(hotkey);
    QCOMPARE(hotkey->key(), QKeySequence(QStringLiteral("Ctrl+R")));
    QCOMPARE(test_window->findChild<ShapeWidget*>("stimulus")->fill_color(), QColor(255, 255, 0));
}

void TestTestWindows::invalid_settings_are_refused_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero delay") << "act_max_select"
                                << "start_act_test"
                                << "0";
    QTest::newRow("delay too long") << "act_max_select"
                                    << "start_act_test"
                                    << "33";
    QTest::newRow("no number") << "act_max_select"
                               << "start_act_test"
                               << "three";
    QTest::newRow("zero hold") << "rel_max_select"
                               << "start_rel_test"
                               << "0";
    QTest::newRow("empty hold") << "rel_max_select"
                                << "start_rel_test"
                                << "";
}

void TestTestWindows::invalid_settings_are_refused() {
    QFETCH(QString, box);
    QFETCH(QString, button);
    QFETCH(QString, text);
    main_child<QLineEdit>(box)->setText(text);
    press_start(button);
    QCOMPARE(m_rig->dialogs.messages.size(), 1);
    QVERIFY(m_rig->dialogs.messages[0].contains(QStringLiteral("from 1 to 32")));
    QVERIFY(!m_rig->app->activation_window());
    QVERIFY(!m_rig->app->release_window());
}

void TestTestWindows::full_screen_opens_maximised() {
    main_child<QCheckBox>("Act_Check_FS")->setChecked(true);
    main_child<QLineEdit>("act_max_select")->setText(QStringLiteral("10"));
    press_start(QStringLiteral("start_act_test"));
    QVERIFY(m_rig->app->activation_window()->windowState() & Qt::WindowMaximized);
    QCOMPARE(m_rig->app->document().settings().max_delay_ms, 10000);
    QVERIFY(timer("Stimulus_Timer").interval_ms >= 1000);
    QVERIFY(timer("Stimulus_Timer").interval_ms < 10000);
}

void TestTestWindows::complete_activation_test_through_mouse_events() {
    m_rig->dialogs.color_answers.push_back(QColor(0, 200, 0));
    QTest::mouseClick(main_child<ColorButton>("act_color"), Qt::LeftButton);
    press_start(QStringLiteral("start_act_test"));
    ActivationWindow* window = m_rig->app->activation_window();
    QCOMPARE(window->findChild<ShapeWidget*>("stimulus")->fill_color(), QColor(0, 200, 0));
    FakeClock& clock = m_rig->clock;
    switch_press(window);
    switch_release(window);
    QVERIFY(!window->findChild<QWidget*>("click_to_start")->isVisible());
    for (int i = 0; i < 10; ++i) {
        clock.advance(timer("Stimulus_Timer").interval_ms);
        QVERIFY(timer("Stimulus_Timer").fire());
        QVERIFY(window->findChild<QWidget*>("stimulus")->isVisible());
        QVERIFY(window->findChild<QWidget*>("click_label")->isVisible());
        clock.advance(250);
        switch_press(window);
        QVERIFY(!window->findChild<QWidget*>("stimulus")->isVisible());
        clock.advance(90);
        switch_release(window);
    }
    deliver_queued_calls();
    QCOMPARE(m_rig->dialogs.messages,
             QStringList{"Average Response Time: 00:00.250   Fastest = 00:00.250    Slowest = "
                         "00:00.250"});
    QCOMPARE(main_child<QLabel>("Label1")->text(),
             QStringLiteral("Average Response Time: 00:00.250"));
    QCOMPARE(main_child<QLabel>("Label2")->text(), QStringLiteral("Fastest = 00:00.250"));
    QVERIFY(!m_rig->app->document().saving().data_saved);
    QCOMPARE(m_rig->sounds.played.count(QStringLiteral("pop.wav")), 10);
    QCOMPARE(clock.begins, clock.ends);
}

void TestTestWindows::results_are_shown_before_the_summary() {
    QStringList results_when_shown;
    m_rig->dialogs.on_message = [this, &results_when_shown](const QString&) {
        results_when_shown = activation_results();
    };
    press_start(QStringLiteral("start_act_test"));
    ActivationWindow* window = m_rig->app->activation_window();
    run_activation_trials(window, 9, 321);
    m_rig->clock.advance(timer("Stimulus_Timer").interval_ms);
    QVERIFY(timer("Stimulus_Timer").fire());
    m_rig->clock.advance(321);
    switch_press(window);
    // The tenth release, delivered as the window system does, and nothing
    // else: QTest's own event processing would run what waits.
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(20, 20), QPointF(20, 20),
                        QPointF(20, 20), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->windowHandle(), &release);
    const QStringList figures{"Average Response Time: 00:00.321", "Fastest = 00:00.321",
                              "Slowest = 00:00.321"};
    // The results are there, and the message was not shown inside that delivery.
    QCOMPARE(activation_results(), figures);
    QVERIFY(!m_rig->app->document().saving().data_saved);
    QVERIFY(m_rig->dialogs.messages.isEmpty());
    deliver_queued_calls();
    QCOMPARE(m_rig->dialogs.messages.size(), 1);
    QCOMPARE(results_when_shown, figures);
    m_rig->dialogs.on_message = nullptr;
}

void TestTestWindows::unfinished_run_leaves_the_document_and_a_saved_file_unchanged_data() {
    QTest::addColumn<bool>("close");
    QTest::newRow("restarted after three trials") << false;
    QTest::newRow("closed after three trials") << true;
}

void TestTestWindows::unfinished_run_leaves_the_document_and_a_saved_file_unchanged() {
    QFETCH(bool, close);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("subject.tavo"));
    press_start(QStringLiteral("start_act_test"));
    QPointer<ActivationWindow> window = m_rig->app->activation_window();
    run_activation_trials(window, 10, 250);
    deliver_queued_calls();
    m_rig->dialogs.save_answers.push_back(path);
    main_child<QAction>("save_file_menu")->trigger();
    const QByteArray saved = file_bytes(path);
    QVERIFY(!saved.isEmpty());
    const TestData data = m_rig->app->document().data();
    const QStringList results = activation_results();
    QVERIFY(m_rig->app->document().saving().data_saved);

    // Again, with other response times, broken off after three trials.
    QTest::keyClick(window->windowHandle(), Qt::Key_R, Qt::ControlModifier);
    run_activation_trials(window, 3, 700);
    m_rig->clock.advance(timer("Stimulus_Timer").interval_ms);
    QVERIFY(timer("Stimulus_Timer").fire());
    if (close) {
        m_rig->dialogs.ask_answers.push_back(1); // Discard
        window->close();
        deliver_queued_calls();
        delete_closed_windows();
        QVERIFY(window.isNull());
    } else {
        QTest::keyClick(window->windowHandle(), Qt::Key_R, Qt::ControlModifier);
    }
    deliver_queued_calls();
    QCOMPARE(m_rig->dialogs.messages.size(), 1); // the first run's summary only
    verify_assessment_unchanged(data, results, path, saved);
    QCOMPARE(m_rig->clock.begins, m_rig->clock.ends);
}

void TestTestWindows::start_test_closes_another_tests_window_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("activation, then release") << "start_act_test"
                                              << "start_rel_test";
    QTest::newRow("release, then repetition") << "start_rel_test"
                                              << "start_rep_test";
    QTest::newRow("repetition, then activation") << "start_rep_test"
                                                 << "start_act_test";
}

void TestTestWindows::start_test_closes_another_tests_window() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    auto open_window = [this]() -> TrialWindow* {
        for (TrialWindow* window : std::initializer_list<TrialWindow*>{
                 m_rig->app->activation_window(), m_rig->app->release_window(),
                 m_rig->app->repetition_window()}) {
            if (window && window->isVisible()) {
                return window;
            }
        }
        return nullptr;
    };
    press_start(first);
    QPointer<TrialWindow> earlier = open_window();
    QVERIFY(earlier);
    switch_press(earlier);
    switch_release(earlier);
    QVERIFY(earlier->trial().test_started());
    const TestData data = m_rig->app->document().data();

    m_rig->dialogs.ask_answers.push_back(1); // Discard the run under way
    press_start(second);
    QVERIFY(!earlier->isVisible());
    QVERIFY(!m_rig->switch_input.installed(earlier->trial()));
    delete_closed_windows();
    QVERIFY(earlier.isNull());
    TrialWindow* later = open_window();
    QVERIFY(later);
    QVERIFY(m_rig->switch_input.installed(later->trial()));
    // One press starts the one test that is open.
    switch_press(later);
    switch_release(later);
    QVERIFY(later->trial().test_started());
    QVERIFY(m_rig->app->document().data() == data);
    QVERIFY(m_rig->app->document().saving().data_saved);
    QCOMPARE(m_rig->clock.begins, m_rig->clock.ends);
}

void TestTestWindows::error_mark_stays_across_a_restart() {
    press_start(QStringLiteral("start_rel_test"));
    ReleaseWindow* window = m_rig->app->release_window();
    switch_press(window);
    switch_release(window);
    QVERIFY(timer("Hold_Timer").fire());
    switch_press(window);
    switch_release(window); // too early
    auto* error = window->findChild<QWidget*>("Error_label");
    QVERIFY(error->isVisible());
    QTest::keyClick(window->windowHandle(), Qt::Key_R, Qt::ControlModifier);
    QVERIFY(error->isVisible());
    QVERIFY(window->findChild<QWidget*>("click_to_start")->isVisible());
    switch_press(window);
    switch_release(window);
    QVERIFY(error->isVisible());
    QVERIFY(timer("Hold_Timer").fire());
    QVERIFY(!error->isVisible());
}

void TestTestWindows::complete_activation_test_with_space_as_the_switch() {
    main_child<QAction>("switch_sends_options_menu")->trigger();
    auto* dialog = main_child<QDialog>("Switch_Sends");
    QVERIFY(dialog && dialog->isModal());
    auto* space = dialog->findChild<QRadioButton*>("sends_space");
    QTest::mouseClick(space, Qt::LeftButton, {}, QPoint(4, space->height() / 2));
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
    QVERIFY(m_rig->app->document().settings().switch_sends == SwitchSends::space);
    press_start(QStringLiteral("start_act_test"));
    ActivationWindow* window = m_rig->app->activation_window();
    auto* notice = window->findChild<QPushButton*>("click_to_start");
    QCOMPARE(notice->text(),
             QStringLiteral("Notice:  Press the switch (Space) once to start the test"));
    QVERIFY(notice->width() >= notice->sizeHint().width());
    FakeClock& clock = m_rig->clock;
    // Ctrl+R is still the administrator's: it restarts and starts nothing.
    key_press(window);
    key_release(window);
    QVERIFY(timer("Stimulus_Timer").fire());
    QTest::keyClick(window->windowHandle(), Qt::Key_R, Qt::ControlModifier);
    QVERIFY(notice->isVisible());
    QVERIFY(!window->trial().test_started());

    key_press(window);
    key_release(window);
    QVERIFY(window->trial().test_started());
    for (int i = 0; i < 10; ++i) {
        clock.advance(timer("Stimulus_Timer").interval_ms);
        QVERIFY(timer("Stimulus_Timer").fire());
        clock.advance(300 + i);
        key_press(window);
        QVERIFY(!window->findChild<QWidget*>("stimulus")->isVisible());
        clock.advance(90);
        key_release(window);
    }
    deliver_queued_calls();
    QCOMPARE(m_rig->dialogs.messages,
             QStringList{"Average Response Time: 00:00.304   Fastest = 00:00.300    Slowest = "
                         "00:00.309"});
    QCOMPARE(main_child<QLabel>("Label1")->text(),
             QStringLiteral("Average Response Time: 00:00.304"));
    QCOMPARE(clock.begins, clock.ends);
    // The open window follows a new choice.
    m_rig->app->document().set_switch_sends(SwitchSends::left_button);
    QCOMPARE(notice->text(), QStringLiteral("Notice:  Press Button Once To Start Test"));
}

void TestTestWindows::complete_release_test_with_an_early_release() {
    press_start(QStringLiteral("start_rel_test"));
    ReleaseWindow* window = m_rig->app->release_window();
    QCOMPARE(window->release_colour(), QColor(0, 0, 192));
    FakeClock& clock = m_rig->clock;
    switch_press(window);
    switch_release(window);
    for (int i = 0; i < 10; ++i) {
        QVERIFY(timer("Hold_Timer").fire());
        switch_press(window);
        QCOMPARE(window->findChild<QLabel*>("click_label")->text(), QStringLiteral("HOLDING ..."));
        if (i == 3) {
            switch_release(window); // too early
            QVERIFY(window->findChild<QWidget*>("Error_label")->isVisible());
            QVERIFY(timer("Hold_Timer").fire());
            QVERIFY(!window->findChild<QWidget*>("Error_label")->isVisible());
            switch_press(window);
        }
        QVERIFY(timer("Release_Timer").fire());
        QVERIFY(window->findChild<QWidget*>("Stim_Release")->isVisible());
        QVERIFY(window->findChild<QWidget*>("Release_Label")->isVisible());
        clock.advance(400 + 10 * i);
        switch_release(window);
    }
    deliver_queued_calls();
    QCOMPARE(m_rig->dialogs.messages,
             QStringList{"Average Response Time: 00:00.445   Fastest = 00:00.400    Slowest = "
                         "00:00.490"});
    QCOMPARE(main_child<QLabel>("Label5")->text(),
             QStringLiteral("Average Response Time: 00:00.445"));
    QCOMPARE(main_child<QLabel>("Label7")->text(), QStringLiteral("Slowest = 00:00.490"));
    QCOMPARE(m_rig->sounds.played.count(QStringLiteral("buzzer.wav")), 1);
}

void TestTestWindows::complete_repetition_test() {
    press_start(QStringLiteral("start_rep_test"));
    RepetitionWindow* window = m_rig->app->repetition_window();
    switch_press(window);
    switch_release(window);
    QVERIFY(timer("Repetition_Stimulus_Timer").fire());
    QCOMPARE(window->findChild<QLabel*>("click_label")->text(), QStringLiteral("0 Clicks"));
    for (int i = 0; i < 5; ++i) {
        m_rig->clock.advance(600);
        switch_press(window);
        m_rig->clock.advance(100);
        switch_release(window);
    }
    deliver_queued_calls();
    QCOMPARE(m_rig->dialogs.messages, QStringList{"Test Time: 00:02.900"});
    QCOMPARE(main_child<QLabel>("Label8")->text(), QStringLiteral("Time For 5 Clicks: 00:02.900"));
}

void TestTestWindows::start_test_again_reuses_the_open_window() {
    press_start(QStringLiteral("start_act_test"));
    ActivationWindow* window = m_rig->app->activation_window();
    switch_press(window);
    switch_release(window);
    QVERIFY(timer("Stimulus_Timer").fire());
    switch_press(window);
    switch_release(window);
    m_rig->dialogs.color_answers.push_back(QColor(255, 0, 255));
    QTest::mouseClick(main_child<ColorButton>("act_color"), Qt::LeftButton);
    main_child<QLineEdit>("act_max_select")->setText(QStringLiteral("7"));
    press_start(QStringLiteral("start_act_test"));
    QCOMPARE(m_rig->app->activation_window(), window);
    QCOMPARE(window->findChild<ShapeWidget*>("stimulus")->fill_color(), QColor(255, 0, 255));
    QCOMPARE(window->activation().trial_count(), 1);
    QVERIFY(window->trial().test_started());
}

void TestTestWindows::ctrl_r_restarts_and_closing_makes_a_fresh_window() {
    press_start(QStringLiteral("start_act_test"));
    QPointer<ActivationWindow> window = m_rig->app->activation_window();
    switch_press(window);
    switch_release(window);
    QVERIFY(timer("Stimulus_Timer").fire());
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(window->findChild<QWidget*>("click_to_start")->isVisible());
    QVERIFY(!window->findChild<QWidget*>("stimulus")->isVisible());
    QVERIFY(!window->trial().test_started());
    QCOMPARE(m_rig->clock.begins, m_rig->clock.ends);

    window->close();
    QTRY_VERIFY(window.isNull());
    QVERIFY(!m_rig->app->activation_window());
    // No client is left behind: a press goes nowhere.
    switch_press(&main());
    switch_release(&main());
    press_start(QStringLiteral("start_act_test"));
    QVERIFY(m_rig->app->activation_window());
    QVERIFY(!m_rig->app->activation_window()->trial().test_started());
}

void TestTestWindows::switch_input_sees_each_button_event_once_and_consumes_none() {
    RecordingClient client;
    m_rig->switch_input.install(client);
    m_rig->switch_input.install(client);
    auto* insert = main_child<QPushButton>("Command1");
    QSignalSpy clicked(insert, &QPushButton::clicked);
    const QPoint on_button = insert->mapTo(&main(), insert->rect().center());
    QTest::mousePress(main().windowHandle(), Qt::LeftButton, {}, on_button);
    QTest::mouseRelease(main().windowHandle(), Qt::LeftButton, {}, on_button);
    QCOMPARE(client.edges, (QList<SwitchEdge>{press, release}));
    QCOMPARE(clicked.size(), 1); // the control under the pointer got its click
    client.edges.clear();
    QTest::mouseDClick(main().windowHandle(), Qt::LeftButton, {}, QPoint(5, 60));
    QCOMPARE(client.edges, (QList<SwitchEdge>{press, release, press, release}));
    client.edges.clear();
    QTest::mouseClick(main().windowHandle(), Qt::RightButton, {}, QPoint(5, 60));
    QCOMPARE(client.edges, QList<SwitchEdge>());
    // A key switch: one edge per key event, and the key still types.
    m_rig->switch_input.set_switch_sends(SwitchSends::space);
    auto* name = main_child<QLineEdit>("Text0");
    name->setFocus();
    QTest::keyClick(main().windowHandle(), Qt::Key_Space);
    QCOMPARE(client.edges, (QList<SwitchEdge>{press, release}));
    QCOMPARE(name->text(), QStringLiteral(" "));
    client.edges.clear();
    m_rig->switch_input.remove(client);
    m_rig->switch_input.remove(client);
    QTest::mouseClick(main().windowHandle(), Qt::LeftButton, {}, QPoint(5, 60));
    QCOMPARE(client.edges, QList<SwitchEdge>());
}

void TestTestWindows::answer_soon_after_an_anticipation_counts_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("timer");
    QTest::newRow("activation") << "start_act_test"
                                << "Stimulus_Timer";
    QTest::newRow("release") << "start_rel_test"
                             << "Hold_Timer";
    QTest::newRow("repetition") << "start_rep_test"
                                << "Repetition_Stimulus_Timer";
}

void TestTestWindows::answer_soon_after_an_anticipation_counts() {
    // Through Qt's own input path, with the input system's stamps: a twitch
    // during the delay, then the answer 159 ms after the cue, 387 ms after
    // the twitch, which Qt reports as the second press of a double click.
    QFETCH(QString, start);
    QFETCH(QString, timer);
    press_start(start);
    TrialWindow* window = nullptr;
    for (TrialWindow* open : {static_cast<TrialWindow*>(m_rig->app->activation_window()),
                              static_cast<TrialWindow*>(m_rig->app->release_window()),
                              static_cast<TrialWindow*>(m_rig->app->repetition_window())}) {
        window = open ? open : window;
    }
    QVERIFY(window);
    int double_clicks = 0;
    EventWatcher watcher(window->windowHandle(), [&double_clicks](QEvent* event) {
        double_clicks += event->type() == QEvent::MouseButtonDblClick ? 1 : 0;
    });
    const ClockReading t0 = m_rig->clock.time;
    auto button = [this, window, t0](int at_ms, bool down) {
        m_rig->clock.time = t0 + at_ms;
        const QPointF where(20, 20);
        qt_handleMouseEvent(window->windowHandle(), where, window->mapToGlobal(where),
                            down ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton,
                            down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease,
                            Qt::NoModifier, static_cast<int>(m_rig->clock.time));
        QCoreApplication::processEvents();
    };
    button(0, true); // the start press
    button(60, false);
    button(773, true); // the anticipation
    button(813, false);
    m_rig->clock.time = t0 + 1000;
    QVERIFY(this->timer(qPrintable(timer)).fire());
    button(1160, true); // the answer
    QCOMPARE(double_clicks, 1);
    if (auto* activation = qobject_cast<ActivationWindow*>(window)) {
        const TimedRun& run = activation->activation().run();
        QCOMPARE(run.readings.responses[0] - run.readings.onsets[0], 160);
        QCOMPARE(run.early_responses, 1);
    } else if (auto* release = qobject_cast<ReleaseWindow*>(window)) {
        QVERIFY(release->release().holding());
    } else if (auto* repetition = qobject_cast<RepetitionWindow*>(window)) {
        QCOMPARE(repetition->repetition().run().readings.first_press, t0 + 1160);
        button(1250, false);
        QCOMPARE(repetition->repetition().click_count(), 1);
    }
}

void TestTestWindows::practice_shows_in_the_title_and_the_corner_data() {
    QTest::addColumn<QString>("test");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("activation") << "act_test"
                                << "Activation_Test"
                                << "Activation Test";
    QTest::newRow("release") << "rel_test"
                             << "Release_Test"
                             << "Release Test";
    QTest::newRow("repetition") << "rep_test"
                                << "Repetition_Test"
                                << "Repetition Test";
}

void TestTestWindows::practice_shows_in_the_title_and_the_corner() {
    QFETCH(QString, test);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    press_start(QStringLiteral("practice_") + test);
    auto* test_window = main().findChild<TrialWindow*>(window);
    QVERIFY(test_window && test_window->isVisible());
    QVERIFY(test_window->trial().practice());
    QVERIFY(test_window->windowTitle().contains(QStringLiteral("PRACTICE")));
    QVERIFY(test_window->windowTitle().startsWith(caption));
    auto* corner = test_window->findChild<QLabel*>("practice_label");
    QVERIFY(corner && corner->isVisible());
    QCOMPARE(corner->text(), QStringLiteral("PRACTICE"));
    // Inside the window, and not hidden behind anything of the layout.
    QVERIFY(test_window->rect().contains(corner->geometry()));
    QCOMPARE(test_window->childAt(corner->geometry().center()), corner);

    press_start(QStringLiteral("start_") + test);
    QCOMPARE(main().findChild<TrialWindow*>(window), test_window);
    QVERIFY(!test_window->trial().practice());
    QCOMPARE(test_window->windowTitle(), caption);
    QVERIFY(!corner->isVisible());
}

void TestTestWindows::practice_run_completes_and_stores_nothing() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("subject.tavo"));
    press_start(QStringLiteral("start_act_test"));
    run_activation_trials(m_rig->app->activation_window(), 10, 250);
    deliver_queued_calls();
    m_rig->app->activation_window()->close();
    delete_closed_windows();
    m_rig->dialogs.save_answers.push_back(path);
    main_child<QAction>("save_file_menu")->trigger();
    const QByteArray saved = file_bytes(path);
    QVERIFY(!saved.isEmpty());
    const TestData data = m_rig->app->document().data();
    const QStringList results = activation_results();
    m_rig->dialogs.messages.clear();
    m_rig->sounds.played.clear();

    press_start(QStringLiteral("practice_act_test"));
    ActivationWindow* window = m_rig->app->activation_window();
    run_activation_trials(window, 10, 480);
    deliver_queued_calls();
    // The practice run looked and sounded like any other; its summary says
    // it was practice.
    QCOMPARE(m_rig->dialogs.messages,
             QStringList{"Practice run, not kept: Average Response Time: 00:00.480   Fastest = "
                         "00:00.480    Slowest = 00:00.480"});
    QCOMPARE(m_rig->sounds.played.count(QStringLiteral("pop.wav")), 10);
    QVERIFY(window->trial().run_phase() == RunPhase::finished);
    verify_assessment_unchanged(data, results, path, saved);
    QCOMPARE(m_rig->clock.begins, m_rig->clock.ends);

    // Practice again: a new practice run at the start notice, not a blank window.
    press_start(QStringLiteral("practice_act_test"));
    QCOMPARE(m_rig->app->activation_window(), window);
    QVERIFY(window->trial().run_phase() == RunPhase::waiting_for_start);
    QVERIFY(window->findChild<QWidget*>("click_to_start")->isVisible());
    run_activation_trials(window, 10, 300);
    QVERIFY(window->trial().run_phase() == RunPhase::finished);
}

void TestTestWindows::unfinished_recorded_run_is_never_dropped_silently_data() {
    QTest::addColumn<QString>("first");  // how the activation run began
    QTest::addColumn<QString>("action"); // what then tries to end it
    QTest::addColumn<int>("answer");     // 0 continue, 1 discard
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("kept"); // the activation run goes on
    const QString recorded = QStringLiteral("start_act_test");
    const QString practice = QStringLiteral("practice_act_test");
    QTest::newRow("Practice during a recorded run, continue")
        << recorded << practice << 0 << true << true;
    QTest::newRow("Practice during a recorded run, discard")
        << recorded << practice << 1 << true << false;
    QTest::newRow("Start Test of another test, continue")
        << recorded << "start_rel_test" << 0 << true << true;
    QTest::newRow("Start Test of another test, discard")
        << recorded << "start_rel_test" << 1 << true << false;
    QTest::newRow("Practice of another test, discard")
        << recorded << "practice_rep_test" << 1 << true << false;
    QTest::newRow("closing the window, continue") << recorded << "close" << 0 << true << true;
    QTest::newRow("closing the window, discard") << recorded << "close" << 1 << true << false;
    QTest::newRow("Start Test of the same test carries on")
        << recorded << recorded << 1 << false << true;
    QTest::newRow("a practice run goes without a question")
        << practice << "start_rel_test" << 1 << false << false;
    QTest::newRow("a practice run closes without a question")
        << practice << "close" << 1 << false << false;
}

void TestTestWindows::unfinished_recorded_run_is_never_dropped_silently() {
    QFETCH(QString, first);
    QFETCH(QString, action);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, kept);
    press_start(first);
    QPointer<ActivationWindow> window = m_rig->app->activation_window();
    run_activation_trials(window, 3, 250);
    QVERIFY(window->trial().run_phase() == RunPhase::running);
    m_rig->dialogs.ask_answers.push_back(answer);
    if (action == QLatin1String("close")) {
        window->windowHandle()->close();
        deliver_queued_calls();
    } else {
        press_start(action);
    }
    delete_closed_windows();
    const QStringList question{QStringLiteral("Discard the unfinished Activation Test?")};
    QCOMPARE(m_rig->dialogs.questions, asked ? question : QStringList());
    QCOMPARE(!window.isNull() && window->isVisible() &&
                 window->trial().run_phase() == RunPhase::running && !window->trial().practice(),
             kept);
    if (kept) {
        QCOMPARE(window->activation().trial_count(), 3);
    }
}

void TestTestWindows::start_test_turns_a_practice_window_into_a_recorded_run() {
    press_start(QStringLiteral("practice_act_test"));
    ActivationWindow* window = m_rig->app->activation_window();
    run_activation_trials(window, 4, 500);
    const TestData data = m_rig->app->document().data();

    // Start Test while practising: the same window starts over, recorded.
    press_start(QStringLiteral("start_act_test"));
    QCOMPARE(m_rig->app->activation_window(), window);
    QVERIFY(!window->trial().test_started());
    QVERIFY(window->findChild<QWidget*>("click_to_start")->isVisible());
    QVERIFY(m_rig->app->document().data() == data);
    run_activation_trials(window, 10, 260);
    deliver_queued_calls();
    QCOMPARE(m_rig->dialogs.messages.size(), 1);
    QVERIFY(!(m_rig->app->document().data() == data));
    QCOMPARE(main_child<QLabel>("Label1")->text(),
             QStringLiteral("Average Response Time: 00:00.260"));
    QVERIFY(!m_rig->app->document().saving().data_saved);

    // A practice run after it leaves the recorded results as they are.
    const TestData recorded = m_rig->app->document().data();
    press_start(QStringLiteral("practice_act_test"));
    run_activation_trials(window, 10, 700);
    deliver_queued_calls();
    QCOMPARE(m_rig->dialogs.messages.size(), 2);
    QVERIFY(m_rig->app->document().data() == recorded);
    QCOMPARE(main_child<QLabel>("Label1")->text(),
             QStringLiteral("Average Response Time: 00:00.260"));
}

void TestTestWindows::practice_closes_another_tests_window() {
    const TestData data = m_rig->app->document().data();
    press_start(QStringLiteral("start_rel_test"));
    QPointer<ReleaseWindow> release_window = m_rig->app->release_window();
    switch_press(release_window);
    switch_release(release_window);
    m_rig->dialogs.ask_answers.push_back(1); // Discard the run under way
    press_start(QStringLiteral("practice_rep_test"));
    QVERIFY(!release_window->isVisible());
    delete_closed_windows();
    QVERIFY(release_window.isNull());
    RepetitionWindow* window = m_rig->app->repetition_window();
    QVERIFY(m_rig->switch_input.installed(window->trial()));
    QVERIFY(window->trial().practice());
    // The practice repetition test runs to its end with the one switch.
    switch_press(window);
    switch_release(window);
    QVERIFY(timer("Repetition_Stimulus_Timer").fire());
    for (int i = 0; i < 5; ++i) {
        m_rig->clock.advance(500);
        switch_press(window);
        m_rig->clock.advance(100);
        switch_release(window);
    }
    deliver_queued_calls();
    QCOMPARE(m_rig->dialogs.messages, QStringList{"Practice run, not kept: Test Time: 00:02.500"});
    QVERIFY(m_rig->app->document().data() == data);
    QVERIFY(m_rig->app->document().saving().data_saved);
}

void TestTestWindows::layout_follows_the_window_size() {
    press_start(QStringLiteral("start_rel_test"));
    ReleaseWindow* window = m_rig->app->release_window();
    window->resize(1024, 700);
    QTRY_COMPARE(window->width(), 1024);
    const std::int16_t cue =
        cue_font_points(static_cast<float>(window->frameGeometry().width() * 15));
    QCOMPARE(window->findChild<QLabel*>("click_label")->font().pointSize(), int(cue));
    QCOMPARE(window->findChild<QLabel*>("Release_Label")->font().pointSize(), int(cue));
    const QWidget* bg = window->findChild<QWidget*>("BG");
    const QWidget* label = window->findChild<QLabel*>("Release_Label");
    QVERIFY(qAbs(label->geometry().center().x() - bg->geometry().center().x()) <= 1);
    QVERIFY(qAbs(label->geometry().center().y() - bg->geometry().center().y()) <= 1);
    QCOMPARE(window->findChild<QWidget*>("rel_frame")->geometry(),
             QRect(10, 10, 1024 - 20, 700 - 20));
    // A minimised window keeps its layout.
    const QRect before = bg->geometry();
    window->setWindowState(Qt::WindowMinimized);
    window->resize(600, 500);
    QCOMPARE(bg->geometry(), before);
}

void TestTestWindows::layout_follows_the_frame_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("activation") << "start_act_test";
    QTest::newRow("release") << "start_rel_test";
    QTest::newRow("repetition") << "start_rep_test";
}

// The window system adds the frame after the window is shown, without
// resizing its inside; the rules read the outer size, so the window lays
// itself out again then, and whenever the frame changes.
void TestTestWindows::layout_follows_the_frame() {
    QFETCH(QString, button);
    press_start(button);
    TavoApplication& app = *m_rig->app;
    QWidget* window = app.activation_window() ? static_cast<QWidget*>(app.activation_window())
                      : app.release_window()  ? static_cast<QWidget*>(app.release_window())
                                              : app.repetition_window();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QWidget* message = window->findChild<QWidget*>("restart_msg");
    QVERIFY(window->frameGeometry().size() != window->size()); // a frame is known
    QTRY_COMPARE(message->y(), restart_msg_top_by_the_rules(window));

    const QSize inside = window->size();
    const int framed_top = message->y();
    // A new native window without a frame: the window system's frame changes
    // while the inside keeps its size.
    window->hide();
    window->windowHandle()->destroy();
    window->setWindowFlag(Qt::FramelessWindowHint, true);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->size(), inside);
    QCOMPARE(window->frameGeometry().size(), inside); // no frame now
    QTRY_COMPARE(message->y(), restart_msg_top_by_the_rules(window));
    QVERIFY(message->y() < framed_top);
}

QTEST_MAIN(TestTestWindows)
#include "test_test_windows.moc"

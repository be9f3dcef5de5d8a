// TAVO under a Wayland compositor, as on Debian's default desktop: the main
// window starts, a complete activation test is driven by switch presses that
// the compositor delivers through Qt's Wayland plugin, the assessment is saved
// and the results sheet printed to PDF, and nothing made for X11 complains on
// the way. Each test window's onsets come from the compositor's presentation
// feedback and are never later than the answer they time. run_under_weston.sh
// starts a private headless weston for it; the timers are the tests' fakes,
// so no step waits on time.
#include "app_rig.h"
#include "default_window.h"
#include "fake_dialogs.h"
#include "frame_presenter.h"
#include "shape_widget.h"
#include "switch_test_windows.h"
#include "trial_window_rig.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tavo;
using namespace tavo::testing;

namespace {

QStringList g_warnings;
QtMessageHandler g_previous_handler = nullptr;

void record_warnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
        g_warnings << text;
    }
    g_previous_handler(type, context, text);
}

} // namespace

class TestWaylandSmoke : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void activation_test_save_and_print();
    void onsets_come_from_the_presented_frame_data();
    void onsets_come_from_the_presented_frame();
    void cleanupTestCase();

private:
    void trigger(const char* item) {
        m_rig->app->main_window().findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    std::unique_ptr<AppRig> m_rig;
};

void TestWaylandSmoke::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("wayland")) {
        QSKIP("needs the wayland platform: run through run_under_weston.sh");
    }
    g_previous_handler = qInstallMessageHandler(record_warnings);
}

void TestWaylandSmoke::activation_test_save_and_print() {
    m_rig = std::make_unique<AppRig>();
    DefaultWindow& main = m_rig->app->main_window();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    QTest::mouseClick(main.findChild<QPushButton*>(QStringLiteral("start_act_test")),
                      Qt::LeftButton);
    ActivationWindow* window = m_rig->app->activation_window();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // The switch: left-button presses and releases on the test window's surface.
    const auto press = [window] {
        QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, QPoint(40, 40));
    };
    const auto release = [window] {
        QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, QPoint(40, 40));
    };
    FakeTimer& stimulus_timer = *m_rig->timers.value(QStringLiteral("Stimulus_Timer"));
    press();
    release();
    for (int trial = 0; trial < 10; ++trial) {
        m_rig->clock.advance(stimulus_timer.interval_ms);
        QVERIFY(stimulus_timer.fire());
        QVERIFY(window->findChild<ShapeWidget*>(QStringLiteral("stimulus"))->isVisible());
        m_rig->clock.advance(200 + trial);
        press();
        m_rig->clock.advance(80);
        release();
    }
    QCOMPARE(m_rig->dialogs.messages.size(), 1);
    QCOMPARE(main.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Average Response Time: 00:00.204"));

    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("wayland.tavo"));
    m_rig->dialogs.save_answers.push_back(saved);
    trigger("save_file_menu");
    QVERIFY(m_rig->app->document().saving().data_saved);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.size() > 0);

    m_rig->printer_dialog.pdf_path = dir.filePath(QStringLiteral("sheet.pdf"));
    m_rig->printer_dialog.answers.push_back(1);
    trigger("print_file_menu");
    QFile pdf(m_rig->printer_dialog.pdf_path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");

    window->close();
    QCOMPARE(m_rig->dialogs.messages.size(), 1); // no failure was reported
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join(QLatin1Char('\n'))));
}

void TestWaylandSmoke::onsets_come_from_the_presented_frame_data() {
    QTest::addColumn<bool>("release_test");
    QTest::addColumn<bool>("hidden_first");
    QTest::newRow("activation stimulus") << false << false;
    QTest::newRow("RELEASE cue") << true << false;
    // Hiding the window drops its surface; the frames must find the new one.
    QTest::newRow("activation stimulus, window shown again") << false << true;
}

// Three trials of a test window on the real clock and the real presenter: each
// onset is the compositor's time for the frame that showed it, in microseconds
// of our clock, and precedes the delivery reading of the answer it times.
void TestWaylandSmoke::onsets_come_from_the_presented_frame() {
    QFETCH(bool, release_test);
    QFETCH(bool, hidden_first);
    if (!built_display_stamps().contains(QLatin1String("Wayland"))) {
        QSKIP("built without Wayland presentation feedback (needs libwayland-dev, "
              "wayland-protocols and qt6-base-private-dev)");
    }
    const std::unique_ptr<FramePresenter> presenter = make_frame_presenter();
    QVERIFY(presenter->presents());
    QCOMPARE(presenter->sources(), QStringLiteral("presented, then delivery"));

    TrialWindowRig rig(*presenter, release_test);
    QVERIFY(rig.show());
    if (hidden_first) {
        rig.window().hide();
        QVERIFY(rig.show());
    }

    rig.start();
    constexpr int trials = 3;
    for (int trial = 1; trial <= trials; ++trial) {
        QVERIFY(rig.show_stimulus());
        // The subject answers once the stimulus is on screen: after the
        // compositor's feedback has come in (a wait for an event, not a time).
        QTRY_VERIFY(!rig.onset_line(trial).isEmpty());
        rig.answer();
        // onset TRIAL READING SOURCE DELIVERY STAMP_US, then the answer's line.
        const QStringList onset = rig.onset_line(trial).split(QLatin1Char(' '));
        const QStringList answer = rig.answer_line(trial).split(QLatin1Char(' '));
        QVERIFY2(onset.size() == 6 && answer.size() >= 5,
                 qPrintable(onset.join(QLatin1Char(' ')) + QLatin1String(" / ") +
                            answer.join(QLatin1Char(' '))));
        QCOMPARE(onset.at(3), QStringLiteral("presented"));
        // The reading is the stamp's whole milliseconds, and the frame was on
        // screen before the answer was delivered. Readings are milliseconds
        // wrapped to 32 bits: compared by difference.
        const qint64 stamp_us = onset.at(5).toLongLong();
        const auto reading = static_cast<std::int32_t>(onset.at(2).toLongLong());
        QCOMPARE(reading, static_cast<std::int32_t>(static_cast<std::uint32_t>(stamp_us / 1000)));
        QVERIFY2(static_cast<std::int32_t>(answer.at(4).toLongLong() - reading) >= 0,
                 qPrintable(onset.join(QLatin1Char(' ')) + QLatin1String(" / ") +
                            answer.join(QLatin1Char(' '))));
    }
}

void TestWaylandSmoke::cleanupTestCase() {
    m_rig.reset();
    if (g_previous_handler) {
        qInstallMessageHandler(g_previous_handler);
    }
}

QTEST_MAIN(TestWaylandSmoke)
#include "test_wayland_smoke.moc"

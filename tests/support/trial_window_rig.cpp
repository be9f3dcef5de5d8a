#include "trial_window_rig.h"

#include "switch_test_windows.h"

#include <QTest>

namespace tavo::testing {

TrialWindowRig::TrialWindowRig(FramePresenter& presenter, bool release_test)
    : m_release_test(release_test) {
    // A second's hold at most, so the release test's hold timer is short if
    // a real one ever stood in.
    m_settings.max_hold_ms = 1000;
    const TrialWindowServices services{
        {m_settings, m_recorder, m_clock, m_sounds, m_random, m_input, m_readings, presenter},
        m_dialogs,
        [this](QObject*, const QString& name) {
            auto timer = std::make_unique<FakeTimer>(m_log, name);
            m_timers[name] = timer.get();
            return timer;
        },
        presenter};
    if (release_test) {
        m_window = std::make_unique<ReleaseWindow>(services);
    } else {
        m_window = std::make_unique<ActivationWindow>(services);
    }
}

TrialWindowRig::~TrialWindowRig() {
    m_window->close();
}

bool TrialWindowRig::show() {
    m_window->show();
    return QTest::qWaitForWindowExposed(m_window.get());
}

void TrialWindowRig::start() {
    m_input.press();
    m_input.release();
}

bool TrialWindowRig::fire(const char* timer) {
    const auto found = m_timers.find(QString::fromLatin1(timer));
    return found != m_timers.end() && found->second->fire();
}

bool TrialWindowRig::show_stimulus() {
    if (!m_release_test) {
        return fire("Stimulus_Timer");
    }
    if (!fire("Hold_Timer")) {
        return false;
    }
    m_input.press();
    return fire("Release_Timer");
}

void TrialWindowRig::answer() {
    if (!m_release_test) {
        m_input.press();
    }
    m_input.release();
}

QString TrialWindowRig::onset_line(int trial) const {
    return m_readings.lines.filter(QStringLiteral("onset %1 ").arg(trial)).value(0);
}

QString TrialWindowRig::answer_line(int trial) const {
    const QString event = m_release_test ? QStringLiteral("release") : QStringLiteral("response");
    return m_readings.lines.filter(QStringLiteral("%1 %2 ").arg(event).arg(trial)).value(0);
}

QString TrialWindowRig::shape_name() const {
    return m_release_test ? QStringLiteral("Stim_Release") : QStringLiteral("stimulus");
}

QString TrialWindowRig::caption_name() const {
    return m_release_test ? QStringLiteral("Release_Label") : QStringLiteral("click_label");
}

} // namespace tavo::testing

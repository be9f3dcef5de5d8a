// What a screen reader meets: every control a person can operate has a
// spoken name of its own within its window, the results and messages can be
// read, and a test window says nothing while a trial is being timed.
#include "about_dialog.h"
#include "app_rig.h"
#include "default_window.h"
#include "save_exit_dialog.h"
#include "switch_test_windows.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace tavo;
using namespace tavo::testing;

namespace {

bool operable(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
        return true;
    default:
        return false;
    }
}

// "role name" for every control a person can operate, anywhere in the window.
void collect_controls(QAccessibleInterface* node, QStringList& names, QStringList& unnamed) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child) {
            continue;
        }
        if (operable(child->role())) {
            const QString name = child->text(QAccessible::Name);
            QObject* object = child->object();
            const QString what = object ? object->objectName() : QString::number(child->role());
            if (name.trimmed().isEmpty()) {
                unnamed << what;
            } else {
                names << name;
            }
        }
        collect_controls(child, names, unnamed);
    }
}

// What a screen reader can say about a window: each object's name, value and
// description. A change in any of them is what it would speak.
QStringList spoken_texts(QAccessibleInterface* node, const QString& path = {}) {
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child) {
            continue;
        }
        const QString here = path + QLatin1Char('/') + QString::number(i);
        texts << here + QLatin1Char(' ') + child->text(QAccessible::Name) + QLatin1Char('|') +
                     child->text(QAccessible::Value) + QLatin1Char('|') +
                     child->text(QAccessible::Description);
        texts << spoken_texts(child, here);
    }
    return texts;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void controls_have_names_of_their_own_data();
    void controls_have_names_of_their_own();
    void test_windows_are_quiet_during_a_trial_data();
    void test_windows_are_quiet_during_a_trial();

private:
    DefaultWindow& main() { return m_rig->app->main_window(); }
    QWidget* open_window(const QString& name);
    void switch_click(QWidget* window) {
        QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    }
    FakeTimer& timer(const QString& name) { return *m_rig->timers.value(name); }

    std::unique_ptr<AppRig> m_rig;
};

void TestAccessibility::init() {
    m_rig = std::make_unique<AppRig>();
    m_rig->app->set_end_program([] {});
    main().show();
}

void TestAccessibility::cleanup() {
    m_rig.reset();
}

QWidget* TestAccessibility::open_window(const QString& name) {
    if (QWidget* window = m_rig->open_window(name)) {
        return window;
    }
    if (name == QLatin1String("AboutCorvale")) {
        m_rig->app->show_about_corvale();
        return main().findChild<QWidget*>(name);
    }
    if (name == QLatin1String("Save_Exit")) {
        main().findChild<QLineEdit*>(QStringLiteral("Text0"))->setText(QStringLiteral("Ann"));
        QTest::keyClick(main().findChild<QLineEdit*>(QStringLiteral("Text0")), Qt::Key_A);
        main().findChild<QAction*>(QStringLiteral("exit_file_menu"))->trigger();
        return m_rig->app->save_prompt();
    }
    return &main();
}

void TestAccessibility::controls_have_names_of_their_own_data() {
    QTest::addColumn<QString>("window");
    for (const char* window : {"Default", "Activation_Test", "Release_Test", "Repetition_Test",
                               "About", "AboutCorvale", "Save_Exit"}) {
        QTest::newRow(window) << QString::fromLatin1(window);
    }
}

void TestAccessibility::controls_have_names_of_their_own() {
    QFETCH(QString, window);
    QWidget* shown = open_window(window);
    QVERIFY(shown);
    QStringList names;
    QStringList unnamed;
    collect_controls(QAccessible::queryAccessibleInterface(shown), names, unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("unnamed: ") + unnamed.join(u',')));
    QVERIFY(!names.isEmpty());
    QStringList repeated;
    for (const QString& name : names) {
        if (names.count(name) > 1 && !repeated.contains(name)) {
            repeated << name;
        }
    }
    QVERIFY2(repeated.isEmpty(),
             qPrintable(QStringLiteral("spoken twice: ") + repeated.join(u',')));
    if (window == QLatin1String("Default")) {
        // The captions a sighted person reads stay as they were.
        QCOMPARE(main().findChild<QPushButton*>(QStringLiteral("start_act_test"))->text(),
                 QStringLiteral("Start Test"));
        QVERIFY(names.contains(QStringLiteral("Start Activation Test")));
        QVERIFY(names.contains(QStringLiteral("Practice Repetition Test")));
        QVERIFY(names.contains(QStringLiteral("Release Test: Full Screen Mode")));
        QVERIFY(names.contains(
            QStringLiteral("Activation Test: Maximum Stimulus Delay, one second more")));
    }
}

void TestAccessibility::test_windows_are_quiet_during_a_trial_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("timer");
    QTest::addColumn<int>("clicks");
    QTest::newRow("activation") << "Activation_Test"
                                << "Stimulus_Timer" << 10;
    QTest::newRow("release") << "Release_Test"
                             << "Hold_Timer" << 0;
    QTest::newRow("repetition") << "Repetition_Test"
                                << "Repetition_Stimulus_Timer" << 5;
}

void TestAccessibility::test_windows_are_quiet_during_a_trial() {
    QFETCH(QString, window);
    QFETCH(QString, timer);
    QFETCH(int, clicks);
    QWidget* test_window = open_window(window);
    QVERIFY(test_window);
    switch_click(test_window); // the start press
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(test_window);
    const QStringList at_start = spoken_texts(spoken);
    int looks = 0;
    // Between the start press and the end, whatever the cues show, nothing a
    // screen reader could speak changes.
    const auto still_quiet = [&] {
        ++looks;
        const QStringList now = spoken_texts(spoken);
        for (qsizetype i = 0; i < std::min(now.size(), at_start.size()); ++i) {
            QCOMPARE(now[i], at_start[i]);
        }
        QCOMPARE(now.size(), at_start.size());
    };
    if (window == QLatin1String("Release_Test")) {
        // A hold, the cue to let go, and the release: ten times.
        for (int i = 0; i < 10; ++i) {
            QVERIFY(this->timer(timer).fire());
            QTest::mousePress(test_window->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
            still_quiet();
            QVERIFY(this->timer(QStringLiteral("Release_Timer")).fire());
            still_quiet();
            QTest::mouseRelease(test_window->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        }
    } else if (window == QLatin1String("Repetition_Test")) {
        QVERIFY(this->timer(timer).fire());
        for (int i = 0; i < clicks; ++i) {
            switch_click(test_window);
            still_quiet();
        }
    } else {
        for (int i = 0; i < clicks; ++i) {
            QVERIFY(this->timer(timer).fire());
            still_quiet();
            switch_click(test_window);
        }
    }
    QVERIFY(looks > 0);
    QVERIFY(static_cast<TrialWindow*>(test_window)->trial().run_phase() == RunPhase::finished);
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"

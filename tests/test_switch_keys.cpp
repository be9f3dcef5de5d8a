// Which key events are the switch's presses and releases, for each choice of
// what the switch sends, and how a held key pairs its press and release.
#include "switch_keys.h"

#include <QTest>

using namespace tavo;

namespace {
// The edges as the table's column holds them.
constexpr int none = 0;
constexpr int down = 1;
constexpr int up = 2;
int edge_code(std::optional<SwitchEdge> edge) {
    if (!edge) {
        return none;
    }
    return *edge == SwitchEdge::press ? down : up;
}
} // namespace

class TestSwitchKeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void key_edge_data();
    void key_edge();
    void a_held_key_pairs_its_press_and_release();
    void names_on_the_command_line();
};

void TestSwitchKeys::key_edge_data() {
    QTest::addColumn<SwitchSends>("choice");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("auto_repeat");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<int>("edge");
    const Qt::KeyboardModifiers plain;
    const auto ctrl = Qt::KeyboardModifiers(Qt::ControlModifier);
    const auto alt = Qt::KeyboardModifiers(Qt::AltModifier);
    const auto meta = Qt::KeyboardModifiers(Qt::MetaModifier);
    const auto shift = Qt::KeyboardModifiers(Qt::ShiftModifier);
    const auto keypad = Qt::KeyboardModifiers(Qt::KeypadModifier);
    const SwitchSends mouse = SwitchSends::left_button;
    const SwitchSends space = SwitchSends::space;
    const SwitchSends enter = SwitchSends::enter;
    const SwitchSends any = SwitchSends::any_key;

    QTest::newRow("mouse: Space is no switch")
        << mouse << int(Qt::Key_Space) << plain << false << true << none;
    QTest::newRow("mouse: Enter is no switch")
        << mouse << int(Qt::Key_Return) << plain << false << true << none;
    QTest::newRow("space: press") << space << int(Qt::Key_Space) << plain << false << true << down;
    QTest::newRow("space: release") << space << int(Qt::Key_Space) << plain << false << false << up;
    QTest::newRow("space: auto-repeat press")
        << space << int(Qt::Key_Space) << plain << true << true << none;
    QTest::newRow("space: auto-repeat release")
        << space << int(Qt::Key_Space) << plain << true << false << none;
    QTest::newRow("space: with Shift")
        << space << int(Qt::Key_Space) << shift << false << true << down;
    QTest::newRow("space: with Ctrl")
        << space << int(Qt::Key_Space) << ctrl << false << true << none;
    QTest::newRow("space: release with Ctrl")
        << space << int(Qt::Key_Space) << ctrl << false << false << up;
    QTest::newRow("space: Enter is no switch")
        << space << int(Qt::Key_Return) << plain << false << true << none;
    QTest::newRow("enter: Return")
        << enter << int(Qt::Key_Return) << plain << false << true << down;
    QTest::newRow("enter: keypad Enter")
        << enter << int(Qt::Key_Enter) << keypad << false << true << down;
    QTest::newRow("enter: keypad Enter up")
        << enter << int(Qt::Key_Enter) << keypad << false << false << up;
    QTest::newRow("enter: Alt+Return")
        << enter << int(Qt::Key_Return) << alt << false << true << none;
    QTest::newRow("enter: Space is no switch")
        << enter << int(Qt::Key_Space) << plain << false << true << none;
    QTest::newRow("any: letter") << any << int(Qt::Key_A) << plain << false << true << down;
    QTest::newRow("any: digit") << any << int(Qt::Key_1) << plain << false << true << down;
    QTest::newRow("any: F5") << any << int(Qt::Key_F5) << plain << false << true << down;
    QTest::newRow("any: Space") << any << int(Qt::Key_Space) << plain << false << true << down;
    QTest::newRow("any: Ctrl+R") << any << int(Qt::Key_R) << ctrl << false << true << none;
    QTest::newRow("any: Alt+F4") << any << int(Qt::Key_F4) << alt << false << true << none;
    QTest::newRow("any: Meta+letter") << any << int(Qt::Key_D) << meta << false << true << none;
    QTest::newRow("any: Ctrl itself")
        << any << int(Qt::Key_Control) << ctrl << false << true << none;
    QTest::newRow("any: Ctrl let go")
        << any << int(Qt::Key_Control) << plain << false << false << none;
    QTest::newRow("any: Alt itself") << any << int(Qt::Key_Alt) << alt << false << true << none;
    QTest::newRow("any: Meta itself") << any << int(Qt::Key_Meta) << meta << false << true << none;
    QTest::newRow("any: Super itself")
        << any << int(Qt::Key_Super_L) << meta << false << true << none;
    QTest::newRow("any: unknown key")
        << any << int(Qt::Key_unknown) << plain << false << true << none;
    QTest::newRow("any: auto-repeat") << any << int(Qt::Key_A) << plain << true << true << none;
}

void TestSwitchKeys::key_edge() {
    QFETCH(SwitchSends, choice);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, auto_repeat);
    QFETCH(bool, pressed);
    QTEST(edge_code(switch_key_edge(key, modifiers, auto_repeat, pressed, choice)), "edge");
}

void TestSwitchKeys::a_held_key_pairs_its_press_and_release() {
    SwitchKeyPairing keys;
    const SwitchSends any = SwitchSends::any_key;
    QList<int> edges;
    auto key = [&](int k, bool pressed, bool repeat = false, Qt::KeyboardModifiers mods = {}) {
        edges << edge_code(keys.edge(k, mods, repeat, pressed, any));
    };
    // Held with auto-repeat: one press, one release.
    key(Qt::Key_A, true);
    key(Qt::Key_A, false, true);
    key(Qt::Key_A, true, true);
    key(Qt::Key_A, false);
    QCOMPARE(edges, (QList<int>{down, none, none, up}));
    edges.clear();
    // A second key while the first holds the switch down is ignored, and so
    // is its release; Ctrl pressed meanwhile does not keep the switch down.
    key(Qt::Key_A, true);
    key(Qt::Key_B, true);
    key(Qt::Key_B, false);
    key(Qt::Key_Control, true, false, Qt::ControlModifier);
    key(Qt::Key_A, false, false, Qt::ControlModifier);
    QCOMPARE(edges, (QList<int>{down, none, none, none, up}));
    edges.clear();
    // Repeats reported as plain presses; a release whose press we never saw;
    // a release lost to another program.
    key(Qt::Key_A, true);
    key(Qt::Key_A, true);
    key(Qt::Key_B, false);
    keys.forget();
    key(Qt::Key_B, true);
    QCOMPARE(edges, (QList<int>{down, none, none, down}));
}

void TestSwitchKeys::names_on_the_command_line() {
    for (SwitchSends choice :
         {SwitchSends::left_button, SwitchSends::space, SwitchSends::enter, SwitchSends::any_key}) {
        QVERIFY(switch_sends_from_name(switch_sends_name(choice)) == choice);
    }
    QVERIFY(switch_sends_from_name(QStringLiteral("Space")) == SwitchSends::space);
    QVERIFY(!switch_sends_from_name(QStringLiteral("tab")));
}

QTEST_GUILESS_MAIN(TestSwitchKeys)
#include "test_switch_keys.moc"

// The test windows' resize rules: font sizes, and every rectangle for windows
// from the design size to full screen and below the fixed margins.
#include "layout_rules.h"

#include <QTest>

using namespace tavo;

namespace tavo {
char* toString(const TwipRect& r) {
    return QTest::toString(
        QStringLiteral("(%1, %2, %3, %4)").arg(r.left).arg(r.top).arg(r.width).arg(r.height));
}
} // namespace tavo

Q_DECLARE_METATYPE(tavo::TwipRect)
Q_DECLARE_METATYPE(tavo::WindowTwips)

namespace {

WindowTwips window(float wo, float ho, float wi, float hi) {
    return {{wo, ho}, {wi, hi}};
}

// A label that sizes itself to its caption: so many twips per point.
LabelMeasure label(float width_per_point, float height_per_point) {
    return [=](std::int16_t points) {
        return TwipSize{width_per_point * points, height_per_point * points};
    };
}

const LabelMeasure click_label = label(62, 23); // "CLICK" or "HOLD"
const ReleaseLabelMeasures release_labels{click_label, label(85, 23), label(12, 24)};
constexpr TwipSize restart_msg{4815, 255};
constexpr TwipSize click_to_start{3735, 735};

// Outer and client sizes of the window at design, maximised on 1024 x 768 and
// 1280 x 1024 screens, and too small for the fixed margins.
const WindowTwips design = window(7905, 7080, 7785, 6675);
const WindowTwips screen_1024 = window(15360, 11520, 15240, 11070);
const WindowTwips screen_1280 = window(19200, 14400, 19080, 13950);
const WindowTwips under_margins = window(2000, 2000, 1880, 1600);
const WindowTwips under_frame = window(320, 680, 200, 250);

} // namespace

class TestLayoutRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void font_points_data();
    void font_points();
    void stimulus_area_data();
    void stimulus_area();
    void activation_placements_data();
    void activation_placements();
    void release_placements_data();
    void release_placements();
};

void TestLayoutRules::font_points_data() {
    QTest::addColumn<float>("outer_width");
    QTest::addColumn<int>("cue");
    QTest::addColumn<int>("error");
    QTest::newRow("about design size") << 8000.f << 36 << 229;
    QTest::newRow("design outer width") << 7905.f << 36 << 226;
    QTest::newRow("1024 pixels") << 15360.f << 90 << 439;
    QTest::newRow("1280 pixels") << 19200.f << 133 << 549;
    QTest::newRow("X of 2.5 rounds down to even") << 87.5f << 0 << 2;
    QTest::newRow("X of 1.5 rounds up to even") << 52.5f << 0 << 2;
    QTest::newRow("cue beyond 16 bits saturates") << 200000.f << 32767 << 5714;
}

void TestLayoutRules::font_points() {
    QFETCH(float, outer_width);
    QTEST(int(cue_font_points(outer_width)), "cue");
    QTEST(int(error_font_points(outer_width)), "error");
}

void TestLayoutRules::stimulus_area_data() {
    QTest::addColumn<WindowTwips>("window");
    QTest::addColumn<TwipRect>("frame");
    QTest::addColumn<TwipRect>("stimulus_frame");
    QTest::addColumn<TwipRect>("backdrop");
    // The activation stimulus and the RELEASE cue lie 500 twips inside backdrop, the
    // HOLD cue 250.
    QTest::addColumn<TwipRect>("inner_cue");
    QTest::addColumn<TwipRect>("hold_cue");
    QTest::newRow("design") << design << TwipRect{150, 150, 7485, 6375}
                            << TwipRect{1000, 1150, 5735, 4825} << TwipRect{250, 350, 5235, 4175}
                            << TwipRect{750, 850, 4235, 3175} << TwipRect{500, 600, 4735, 3675};
    QTest::newRow("under the margins: clamped at 0")
        << under_margins << TwipRect{150, 150, 1580, 1300} << TwipRect{1000, 1150, 0, 0}
        << TwipRect{250, 350, 0, 0} << TwipRect{750, 850, 0, 0} << TwipRect{500, 600, 0, 0};
    QTest::newRow("under the frame's margin")
        << under_frame << TwipRect{150, 150, 0, 0} << TwipRect{1000, 1150, 0, 0}
        << TwipRect{250, 350, 0, 0} << TwipRect{750, 850, 0, 0} << TwipRect{500, 600, 0, 0};
}

void TestLayoutRules::stimulus_area() {
    QFETCH(WindowTwips, window);
    const ActivationLayout act =
        activation_layout(window, click_label, restart_msg, click_to_start);
    QTEST(act.frame, "frame");
    QTEST(act.stimulus_frame, "stimulus_frame");
    QTEST(act.backdrop, "backdrop");
    QTEST(act.stimulus, "inner_cue");
    const ReleaseLayout rel = release_layout(window, release_labels, restart_msg, click_to_start);
    QTEST(rel.frame, "frame");
    QTEST(rel.stimulus_frame, "stimulus_frame");
    QTEST(rel.backdrop, "backdrop");
    QTEST(rel.stimulus, "hold_cue");
    QTEST(rel.release_cue, "inner_cue");
}

// Labels are centred with the size the fake label has at the font size asked.
void TestLayoutRules::activation_placements_data() {
    QTest::addColumn<WindowTwips>("window");
    QTest::addColumn<int>("points");
    QTest::addColumn<TwipRect>("click_label");
    QTest::addColumn<TwipRect>("restart_msg");
    QTest::addColumn<TwipRect>("click_to_start");
    QTest::newRow("design") << design << 36 << TwipRect{1751.5, 2023.5, 2232, 828}
                            << TwipRect{1485, 6002.5, 4815, 255} << TwipRect{1000, 2070, 3735, 735};
    QTest::newRow("1280 pixels") << screen_1280 << 133 << TwipRect{4392, 4545.5, 8246, 3059}
                                 << TwipRect{7132.5, 13300, 4815, 255}
                                 << TwipRect{6647.5, 5707.5, 3735, 735};
    QTest::newRow("under the margins: centred on an empty BG")
        << under_margins << 8 << TwipRect{2, 258, 496, 184} << TwipRect{-1467.5, 1050, 4815, 255}
        << TwipRect{-1617.5, -17.5, 3735, 735};
}

void TestLayoutRules::activation_placements() {
    QFETCH(WindowTwips, window);
    const ActivationLayout act =
        activation_layout(window, click_label, restart_msg, click_to_start);
    QTEST(int(act.click_label.points), "points");
    QTEST(act.click_label.rect, "click_label");
    QTEST(act.restart_msg, "restart_msg");
    QTEST(act.click_to_start, "click_to_start");
}

void TestLayoutRules::release_placements_data() {
    QTest::addColumn<WindowTwips>("window");
    QTest::addColumn<int>("cue_points");
    QTest::addColumn<int>("error_points");
    QTest::addColumn<TwipRect>("click_label");
    QTest::addColumn<TwipRect>("release_label");
    QTest::addColumn<TwipRect>("error_mark");
    QTest::addColumn<TwipRect>("restart_msg");
    QTest::addColumn<TwipRect>("click_to_start");
    QTest::newRow("design") << design << 36 << 226 << TwipRect{1751.5, 2023.5, 2232, 828}
                            << TwipRect{1337.5, 2023.5, 3060, 828}
                            << TwipRect{1511.5, -474.5, 2712, 5424}
                            << TwipRect{1485, 6002.5, 4815, 255} << TwipRect{2250, 3220, 3735, 735};
    QTest::newRow("1024 pixels") << screen_1024 << 90 << 439 << TwipRect{3805, 3600, 5580, 2070}
                                 << TwipRect{2770, 3600, 7650, 2070}
                                 << TwipRect{3961, -833, 5268, 10536}
                                 << TwipRect{5212.5, 10420, 4815, 255}
                                 << TwipRect{5977.5, 5417.5, 3735, 735};
    QTest::newRow("under the margins")
        << under_margins << 8 << 57 << TwipRect{2, 258, 496, 184} << TwipRect{-90, 258, 680, 184}
        << TwipRect{-92, -534, 684, 1368} << TwipRect{-1467.5, 1050, 4815, 255}
        << TwipRect{-367.5, 1132.5, 3735, 735};
}

void TestLayoutRules::release_placements() {
    QFETCH(WindowTwips, window);
    QFETCH(int, cue_points);
    const ReleaseLayout rel = release_layout(window, release_labels, restart_msg, click_to_start);
    QCOMPARE(int(rel.click_label.points), cue_points);
    QCOMPARE(int(rel.release_label.points), cue_points);
    QTEST(int(rel.error_mark.points), "error_points");
    QTEST(rel.click_label.rect, "click_label");
    QTEST(rel.release_label.rect, "release_label");
    QTEST(rel.error_mark.rect, "error_mark");
    QTEST(rel.restart_msg, "restart_msg");
    QTEST(rel.click_to_start, "click_to_start");
}

QTEST_GUILESS_MAIN(TestLayoutRules)
#include "test_layout_rules.moc"

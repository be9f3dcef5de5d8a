// The colour buttons say their colour in words: the nearest common name as
// the eye sees it, and the hex code.
#include "colour_names.h"

#include <QTest>

using namespace tavo;

class TestColourNames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nearest_name_data();
    void nearest_name();
    void description_holds_name_and_code();
};

void TestColourNames::nearest_name_data() {
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("name");
    // The two designed stimulus colours.
    QTest::newRow("designed yellow") << 255 << 255 << 0 << "yellow";
    QTest::newRow("designed dark blue") << 0 << 0 << 192 << "dark blue";
    // Shades near a name take it; lightness decides between the grays.
    QTest::newRow("almost red") << 250 << 10 << 10 << "red";
    QTest::newRow("dark orange") << 255 << 140 << 0 << "orange";
    QTest::newRow("a chosen green") << 10 << 200 << 30 << "green";
    QTest::newRow("near black") << 30 << 30 << 30 << "black";
    QTest::newRow("silver") << 200 << 200 << 200 << "light gray";
    QTest::newRow("mid gray") << 120 << 125 << 120 << "gray";
    QTest::newRow("sienna") << 160 << 82 << 45 << "brown";
    QTest::newRow("turquoise") << 0 << 200 << 200 << "cyan";
    QTest::newRow("bright blue") << 0 << 0 << 230 << "blue";
    QTest::newRow("white") << 255 << 255 << 255 << "white";
}

void TestColourNames::nearest_name() {
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    const Rgb colour{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                     static_cast<std::uint8_t>(blue)};
    QTEST(nearest_colour_name(colour), "name");
}

void TestColourNames::description_holds_name_and_code() {
    QCOMPARE(describe_colour({255, 255, 0}), QStringLiteral("yellow, #FFFF00"));
    QCOMPARE(describe_colour({10, 200, 30}), QStringLiteral("green, #0AC81E"));
    QCOMPARE(colour_hex_code({0, 0, 192}), QStringLiteral("#0000C0"));
}

QTEST_GUILESS_MAIN(TestColourNames)
#include "test_colour_names.moc"

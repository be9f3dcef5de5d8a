// Reading the typed delay and hold settings, and stepping them with the arrows.
#include "settings_input.h"
#include "up_down.h"

#include <QTest>

using namespace tavo;

class TestSettingsInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void check_seconds_setting_data();
    void check_seconds_setting();
    void refusal_names_the_setting_and_the_text();
    void stepped_setting_data();
    void stepped_setting();
};

void TestSettingsInput::check_seconds_setting_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("milliseconds"); // -1: refused

    QTest::newRow("3") << "en_US"
                       << "3" << 3000;
    QTest::newRow("10") << "en_US"
                        << "10" << 10000;
    QTest::newRow("blanks around") << "en_US"
                                   << "  7 " << 7000;
    QTest::newRow("lowest") << "en_US"
                            << "1" << 1000;
    QTest::newRow("highest") << "en_US"
                             << "32" << 32000;
    QTest::newRow("half rounds to even, down") << "en_US"
                                               << "2.5" << 2000;
    QTest::newRow("half rounds to even, up") << "en_US"
                                             << "3.5" << 4000;
    QTest::newRow("fraction") << "en_US"
                              << "4.4" << 4000;
    QTest::newRow("regional decimal comma") << "de_DE"
                                            << "4,6" << 5000;
    QTest::newRow("point under a comma locale") << "de_DE"
                                                << "4.6" << 5000;
    QTest::newRow("zero would hang the test") << "en_US"
                                              << "0" << -1;
    QTest::newRow("rounds to zero") << "en_US"
                                    << "0.5" << -1;
    QTest::newRow("negative") << "en_US"
                              << "-3" << -1;
    QTest::newRow("above 32 s does not fit") << "en_US"
                                             << "33" << -1;
    QTest::newRow("32.5 rounds to 32") << "en_US"
                                       << "32.5" << 32000;
    QTest::newRow("32.6 rounds to 33") << "en_US"
                                       << "32.6" << -1;
    QTest::newRow("huge") << "en_US"
                          << "1e300" << -1;
    QTest::newRow("empty") << "en_US"
                           << "" << -1;
    QTest::newRow("words") << "en_US"
                           << "three" << -1;
    QTest::newRow("number and unit") << "en_US"
                                     << "3 s" << -1;
}

void TestSettingsInput::check_seconds_setting() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(int, milliseconds);
    const SettingCheck check = tavo::check_seconds_setting(
        text, QStringLiteral("Maximum Stimulus Delay"), QLocale(locale));
    if (milliseconds < 0) {
        QVERIFY(!check.milliseconds);
        QVERIFY(!check.refusal.isEmpty());
    } else {
        QVERIFY(check.milliseconds);
        QCOMPARE(int(*check.milliseconds), milliseconds);
        QVERIFY(check.refusal.isEmpty());
    }
}

void TestSettingsInput::refusal_names_the_setting_and_the_text() {
    const SettingCheck check = tavo::check_seconds_setting(
        QStringLiteral("40"), QStringLiteral("Maximum Hold Duration"), QLocale::c());
    QVERIFY(check.refusal.contains(QStringLiteral("Maximum Hold Duration")));
    QVERIFY(check.refusal.contains(QStringLiteral("\"40\"")));
    QVERIFY(check.refusal.contains(QStringLiteral("from 1 to 32")));
}

void TestSettingsInput::stepped_setting_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("result"); // -1: the box keeps its text
    QTest::newRow("up from the box") << "3" << 2 << 1 << 4;
    QTest::newRow("down from the box") << "3" << 2 << -1 << 2;
    QTest::newRow("top of range") << "10" << 10 << 1 << 10;
    QTest::newRow("bottom of range") << "1" << 1 << -1 << 1;
    QTest::newRow("typed above the range, down") << "25" << 3 << -1 << 10;
    QTest::newRow("typed above the range, up never lowers") << "15" << 3 << 1 << -1;
    QTest::newRow("typed below the range, down never raises") << "0" << 3 << -1 << -1;
    QTest::newRow("typed below the range, up") << "-4" << 3 << 1 << 1;
    QTest::newRow("fraction above the top, up never lowers") << "10.4" << 10 << 1 << -1;
    QTest::newRow("fraction below the bottom, down never raises") << "0.6" << 1 << -1 << -1;
    QTest::newRow("typed fraction") << "4.5" << 3 << 1 << 5;
    QTest::newRow("fraction rounding up, down") << "2.6" << 3 << -1 << 2;
    QTest::newRow("no number: own position") << "abc" << 6 << 1 << 7;
    QTest::newRow("empty: own position") << "" << 2 << -1 << 1;
    QTest::newRow("huge number, up") << "1e300" << 4 << 1 << -1;
}

void TestSettingsInput::stepped_setting() {
    QFETCH(QString, text);
    QFETCH(int, last);
    QFETCH(int, delta);
    QFETCH(int, result);
    QCOMPARE(tavo::stepped_setting(text, last, delta, QLocale::c()).value_or(-1), result);
}

QTEST_GUILESS_MAIN(TestSettingsInput)
#include "test_settings_input.moc"

// Stamps taken where the events happen: an input event's stamp turned into
// a reading, the plausibility check every stamp goes through, and the X
// server's list of system counters read record by record.
#include "event_stamp_clock.h"
#include "timed_reading.h"
#include "x11_system_counters.h"

#include <QTest>
#include <cstring>
#include <vector>

using namespace tavo;

namespace {

// The records of a ListSystemCounters reply, laid out as the server sends
// them: counter, resolution, name length, name, padding to 4 bytes.
std::vector<std::uint8_t>
counter_records(const std::vector<std::pair<std::uint32_t, QByteArray>>& counters) {
    std::vector<std::uint8_t> bytes;
    for (const auto& [id, name] : counters) {
        const std::size_t at = bytes.size();
        const std::size_t size = (14 + static_cast<std::size_t>(name.size()) + 3) & ~std::size_t{3};
        bytes.resize(at + size, 0xee);
        std::memcpy(bytes.data() + at, &id, 4);
        const std::uint64_t resolution = 4;
        std::memcpy(bytes.data() + at + 4, &resolution, 8);
        const auto length = static_cast<std::uint16_t>(name.size());
        std::memcpy(bytes.data() + at + 12, &length, 2);
        std::memcpy(bytes.data() + at + 14, name.constData(),
                    static_cast<std::size_t>(name.size()));
    }
    return bytes;
}

} // namespace

class TestEventStamps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checked_reading_data();
    void checked_reading();
    void same_clock_stamps_data();
    void same_clock_stamps();
    void measured_offset_follows_the_quickest_delivery();
    void measured_offset_forgets_old_gaps();
    void system_counter_found_data();
    void system_counter_found();
};

void TestEventStamps::checked_reading_data() {
    QTest::addColumn<bool>("has_stamp");
    QTest::addColumn<int>("stamp");
    QTest::addColumn<int>("delivery");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("stamped");
    QTest::newRow("no stamp") << false << 0 << 5000 << 5000 << false;
    QTest::newRow("stamp before delivery") << true << 4993 << 5000 << 4993 << true;
    QTest::newRow("stamp at delivery") << true << 5000 << 5000 << 5000 << true;
    QTest::newRow("stamp a second before") << true << 4000 << 5000 << 4000 << true;
    QTest::newRow("stamp more than a second before") << true << 3999 << 5000 << 5000 << false;
    QTest::newRow("stamp after delivery") << true << 5001 << 5000 << 5000 << false;
    QTest::newRow("stamp of another machine's clock")
        << true << 1'900'000'000 << 5000 << 5000 << false;
    QTest::newRow("stamp just before the 32-bit wrap, delivery after it")
        << true << 2147483640 << -2147483642 << 2147483640 << true;
    QTest::newRow("delivery just before the wrap, stamp after it: later")
        << true << -2147483642 << 2147483640 << 2147483640 << false;
}

void TestEventStamps::checked_reading() {
    QFETCH(bool, has_stamp);
    QFETCH(int, stamp);
    QFETCH(int, delivery);
    QFETCH(int, value);
    QFETCH(bool, stamped);
    const TimedReading reading =
        tavo::checked_reading(has_stamp ? std::optional<ClockReading>(stamp) : std::nullopt,
                              ReadingSource::input_system, delivery);
    QCOMPARE(reading.value, value);
    QCOMPARE(reading.delivery, delivery);
    QCOMPARE(reading.source, stamped ? ReadingSource::input_system : ReadingSource::delivery);
}

void TestEventStamps::same_clock_stamps_data() {
    QTest::addColumn<quint64>("stamp");
    QTest::addColumn<bool>("has_reading");
    QTest::addColumn<int>("reading");
    QTest::newRow("an X server's time") << quint64{415807} << true << 415807;
    QTest::newRow("no stamp") << quint64{0} << false << 0;
    QTest::newRow("past 2^31 ms: negative, as the readings are")
        << quint64{2147483648u} << true << int(-2147483647 - 1);
    QTest::newRow("a 64-bit stamp wraps at 2^32 as the readings do")
        << (quint64{1} << 32) + 10 << true << 10;
}

void TestEventStamps::same_clock_stamps() {
    QFETCH(quint64, stamp);
    QFETCH(bool, has_reading);
    QFETCH(int, reading);
    EventStampClock clock(EventStampClock::Relation::same_clock);
    // On the same clock the delivery reading plays no part.
    const std::optional<ClockReading> converted = clock.to_reading(stamp, 999);
    QCOMPARE(converted.has_value(), has_reading);
    if (has_reading) {
        QCOMPARE(*converted, reading);
    }
}

void TestEventStamps::measured_offset_follows_the_quickest_delivery() {
    // The stamps count from another base, 7000 ms behind our clock; the
    // deliveries come 3, 1, 5 ms after the events.
    EventStampClock clock(EventStampClock::Relation::measured_offset);
    QCOMPARE(clock.to_reading(1000, 8003), std::optional<ClockReading>(8003));
    QCOMPARE(clock.to_reading(2000, 9001), std::optional<ClockReading>(9001));
    // The quickest delivery so far (1 ms) sets the offset: 7000 + 1.
    QCOMPARE(clock.to_reading(3000, 10005), std::optional<ClockReading>(10001));
    QCOMPARE(clock.to_reading(0, 10005), std::nullopt);
}

void TestEventStamps::measured_offset_forgets_old_gaps() {
    // One event delivered before its stamp (a clock step) must not set the
    // offset for ever: after enough events the latest gaps rule again.
    EventStampClock clock(EventStampClock::Relation::measured_offset);
    clock.to_reading(1000, 500);
    std::optional<ClockReading> reading;
    for (int i = 1; i <= EventStampClock::gaps_kept; ++i) {
        reading = clock.to_reading(static_cast<quint64>(1000 + i), 8000 + i + 2);
    }
    QCOMPARE(reading, std::optional<ClockReading>(8000 + EventStampClock::gaps_kept + 2));
}

void TestEventStamps::system_counter_found_data() {
    QTest::addColumn<QByteArray>("wanted");
    QTest::addColumn<int>("trim");
    QTest::addColumn<bool>("found");
    QTest::addColumn<uint>("counter");
    QTest::newRow("after names of every padding") << QByteArray("SERVERTIME") << 0 << true << 61u;
    QTest::newRow("the first record") << QByteArray("DEVICEIDLETIME 7") << 0 << true << 1302u;
    QTest::newRow("a name shifted by two bytes is not it")
        << QByteArray("RVERTIME") << 0 << false << 0u;
    QTest::newRow("missing") << QByteArray("NOSUCHCOUNTER") << 0 << false << 0u;
    QTest::newRow("records cut short before the name")
        << QByteArray("SERVERTIME") << 8 << false << 0u;
}

void TestEventStamps::system_counter_found() {
    QFETCH(QByteArray, wanted);
    QFETCH(int, trim);
    QFETCH(bool, found);
    QFETCH(uint, counter);
    const std::vector<std::uint8_t> records = counter_records({{1302, "DEVICEIDLETIME 7"},
                                                               {62, "IDLETIME"},
                                                               {7, "A"},
                                                               {8, "AB"},
                                                               {9, "ABC"},
                                                               {61, "SERVERTIME"}});
    const std::optional<std::uint32_t> id = find_system_counter(
        records.data(), records.size() - static_cast<std::size_t>(trim), 6,
        std::string_view(wanted.constData(), static_cast<std::size_t>(wanted.size())));
    QCOMPARE(id.has_value(), found);
    if (found) {
        QCOMPARE(*id, counter);
    }
}

QTEST_GUILESS_MAIN(TestEventStamps)
#include "test_event_stamps.moc"

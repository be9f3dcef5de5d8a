// The clock log's line: the format researchers and the benchmarks parse.
#include "reading_log.h"

#include <QTest>

using namespace tavo;

class TestReadingLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void line_format_data();
    void line_format();
};

void TestReadingLog::line_format_data() {
    QTest::addColumn<int>("test");
    QTest::addColumn<int>("event");
    QTest::addColumn<int>("trial");
    QTest::addColumn<int>("value");
    QTest::addColumn<qint64>("micros");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("activation onset")
        << int(ReadingTest::activation) << int(ReadingEvent::onset) << 3 << 123456 << 123456789LL
        << 96 << QByteArray("activation onset 3 123456 123456789\n");
    QTest::newRow("a reading past the 32-bit wrap is negative")
        << int(ReadingTest::release) << int(ReadingEvent::release) << 10 << -2147483000
        << 2147484296000LL << 96 << QByteArray("release release 10 -2147483000 2147484296000\n");
    QTest::newRow("repetition first press")
        << int(ReadingTest::repetition) << int(ReadingEvent::first_press) << 1 << 5 << 5000LL << 96
        << QByteArray("repetition first_press 1 5 5000\n");
    QTest::newRow("a short buffer keeps its terminator")
        << int(ReadingTest::activation) << int(ReadingEvent::start) << 0 << 7 << 7000LL << 12
        << QByteArray("activation ");
}

void TestReadingLog::line_format() {
    QFETCH(int, test);
    QFETCH(int, event);
    QFETCH(int, trial);
    QFETCH(int, value);
    QFETCH(qint64, micros);
    QFETCH(int, size);
    QFETCH(QByteArray, line);
    char buffer[96] = {};
    const std::size_t length =
        format_reading_line(buffer, static_cast<std::size_t>(size), static_cast<ReadingTest>(test),
                            static_cast<ReadingEvent>(event), trial, value, micros);
    QCOMPARE(QByteArray(buffer, static_cast<qsizetype>(length)), line);
}

QTEST_GUILESS_MAIN(TestReadingLog)
#include "test_reading_log.moc"

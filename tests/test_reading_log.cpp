// The clock log's line: the format researchers and the benchmarks parse.
#include "file_names.h"
#include "reading_log.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavo;

class TestReadingLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void line_format_data();
    void line_format();
    void log_named_by_bytes();
};

void TestReadingLog::line_format_data() {
    QTest::addColumn<int>("test");
    QTest::addColumn<int>("event");
    QTest::addColumn<int>("trial");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("delivery");
    QTest::addColumn<qint64>("micros");
    QTest::addColumn<qint64>("stamp_micros");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("onset at a presented frame's vertical blank, in microseconds")
        << int(TestKind::activation) << int(ReadingEvent::onset) << 3 << 123456
        << int(ReadingSource::present) << 123455 << 123457789LL << 123456321LL << 160
        << QByteArray("activation onset 3 123456 123457789 present 123455 123456321\n");
    QTest::newRow("onset stamped by the server's time, whole milliseconds")
        << int(TestKind::activation) << int(ReadingEvent::onset) << 3 << 123456
        << int(ReadingSource::server_time) << 123457 << 123457789LL << -1LL << 128
        << QByteArray("activation onset 3 123456 123457789 servertime 123457 -\n");
    QTest::newRow("onset from DAMAGE, whole milliseconds")
        << int(TestKind::release) << int(ReadingEvent::onset) << 1 << 10
        << int(ReadingSource::damage) << 11 << 12000LL << -1LL << 128
        << QByteArray("release onset 1 10 12000 damage 11 -\n");
    QTest::newRow("onset from Wayland's presentation feedback")
        << int(TestKind::release) << int(ReadingEvent::onset) << 1 << 10
        << int(ReadingSource::presented) << 11 << 12000LL << 10250LL << 128
        << QByteArray("release onset 1 10 12000 presented 11 10250\n");
    QTest::newRow("a reading past the 32-bit wrap is negative")
        << int(TestKind::release) << int(ReadingEvent::release) << 10 << -2147483000
        << int(ReadingSource::input_system) << -2147482998 << 2147484298000LL << -1LL << 128
        << QByteArray("release release 10 -2147483000 2147484298000 input -2147482998 -\n");
    QTest::newRow("repetition first press read on delivery")
        << int(TestKind::repetition) << int(ReadingEvent::first_press) << 1 << 5
        << int(ReadingSource::delivery) << 5 << 5000LL << -1LL << 128
        << QByteArray("repetition first_press 1 5 5000 delivery 5 -\n");
    QTest::newRow("a delay has no source and no delivery reading")
        << int(TestKind::activation) << int(ReadingEvent::delay) << 2 << 1534
        << int(ReadingSource::delivery) << 0 << 9000LL << 77LL << 128
        << QByteArray("activation delay 2 1534 9000 - - -\n");
    QTest::newRow("a short buffer keeps its terminator")
        << int(TestKind::activation) << int(ReadingEvent::start) << 0 << 7
        << int(ReadingSource::delivery) << 7 << 7000LL << -1LL << 12 << QByteArray("activation ");
}

void TestReadingLog::line_format() {
    QFETCH(int, test);
    QFETCH(int, event);
    QFETCH(int, trial);
    QFETCH(int, value);
    QFETCH(int, source);
    QFETCH(int, delivery);
    QFETCH(qint64, micros);
    QFETCH(qint64, stamp_micros);
    QFETCH(int, size);
    QFETCH(QByteArray, line);
    char buffer[160] = {};
    const TimedReading reading{value, static_cast<ReadingSource>(source), delivery, stamp_micros};
    const std::size_t length =
        format_reading_line(buffer, static_cast<std::size_t>(size), static_cast<TestKind>(test),
                            static_cast<ReadingEvent>(event), trial, reading, micros);
    QCOMPARE(QByteArray(buffer, static_cast<qsizetype>(length)), line);
}

// A log named on the command line with a byte that is no text goes to the
// file of exactly that name.
void TestReadingLog::log_named_by_bytes() {
    QTemporaryDir dir;
    const QByteArray name = QFile::encodeName(dir.path()) + "/clock\xff.log";
    {
        QString reason;
        const std::unique_ptr<FileReadingLog> log =
            FileReadingLog::open(file_name_from_bytes(name), reason);
        QVERIFY2(log, qPrintable(reason));
        log->record_delay(TestKind::activation, 1, 2500);
    }
    struct stat status {};
    QCOMPARE(::stat(name.constData(), &status), 0);
    QVERIFY(status.st_size > 0);
    QCOMPARE(::unlink(name.constData()), 0); // QTemporaryDir cannot remove it
}

QTEST_GUILESS_MAIN(TestReadingLog)
#include "test_reading_log.moc"

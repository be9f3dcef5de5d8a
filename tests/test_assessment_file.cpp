// The ".tavo" file byte for byte: the Windows-1252 codec, the clock text, the
// writer against hand-made files, the reader, their round trip, and every way
// a file can fail to read.
#include "assessment_file.h"
#include "clock_text.h"
#include "sample_assessments.h"
#include "windows_1252.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tavo;
using namespace tavo::testing;

Q_DECLARE_METATYPE(tavo::TypedFields)
Q_DECLARE_METATYPE(tavo::TestData)

namespace {

QByteArray with_line(const QByteArray& bytes, int line, const QByteArray& text) {
    QList<QByteArray> lines = bytes.split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}

QString why(const ReadResult& read) {
    return read.ok() ? QString() : describe_read_failure(*read.failure);
}

QByteArray first_lines(const QByteArray& bytes, int count) {
    return bytes.split('\n').mid(0, count).join('\n') + (count > 0 ? "\n" : "");
}

} // namespace

class TestAssessmentFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windows_1252_data();
    void windows_1252();
    void clock_text_data();
    void clock_text();
    void parse_clock_text_data();
    void parse_clock_text();
    void writer_gives_the_hand_made_bytes_data();
    void writer_gives_the_hand_made_bytes();
    void reader_gives_back_the_readings_data();
    void reader_gives_back_the_readings();
    void reader_accepts_bare_line_feeds();
    void negative_times_of_an_edited_file_survive_the_round_trip();
    void unwritable_times_are_refused_data();
    void unwritable_times_are_refused();
    void reader_failures_data();
    void reader_failures();
    void text_encodings_data();
    void text_encodings();
    void windows_1252_text_that_forms_utf8_reads_back_as_typed();
    void size_limit_at_both_ends_data();
    void size_limit_at_both_ends();
    void readings_far_apart_are_written_back_as_read_data();
    void readings_far_apart_are_written_back_as_read();
};

void TestAssessmentFile::windows_1252_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Ann\t1") << QStringLiteral("Ann\t1");
    QTest::newRow("latin-1") << QByteArray("\xE9\xA0\xFF") << QStringLiteral(u"\u00e9\u00a0\u00ff");
    QTest::newRow("euro and dashes")
        << QByteArray("\x80\x96\x97") << QStringLiteral(u"\u20ac\u2013\u2014");
    QTest::newRow("quotes") << QByteArray("\x91\x92\x93\x94")
                            << QStringLiteral(u"\u2018\u2019\u201c\u201d");
    QTest::newRow("last of the table") << QByteArray("\x9E\x9F") << QStringLiteral(u"\u017e\u0178");
    QTest::newRow("undefined bytes stay themselves")
        << QByteArray("\x81\x8D\x8F\x90\x9D") << QStringLiteral(u"\u0081\u008d\u008f\u0090\u009d");
}

void TestAssessmentFile::windows_1252() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(from_windows_1252(bytes), text);
    QCOMPARE(to_windows_1252(text), std::optional<QByteArray>(bytes));
}

void TestAssessmentFile::clock_text_data() {
    QTest::addColumn<int>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "0:00:00:000";
    QTest::newRow("morning") << 32707042 << "9:05:07:042";
    QTest::newRow("afternoon") << 50400001 << "14:00:00:001";
    QTest::newRow("after midnight") << 86400250 << "24:00:00:250";
    QTest::newRow("largest") << std::numeric_limits<std::int32_t>::max() << "596:31:23:647";
    QTest::newRow("negative") << -3907042 << "-1:-05:-07:-042";
    QTest::newRow("negative millisecond") << -1 << "0:00:00:-001";
    QTest::newRow("negative minutes only") << -1800000 << "0:-30:00:000";
    QTest::newRow("smallest") << std::numeric_limits<std::int32_t>::min() << "-596:-31:-23:-648";
}

void TestAssessmentFile::clock_text() {
    QFETCH(int, ms);
    QFETCH(QString, text);
    QCOMPARE(format_clock_text(ms), text);
    QCOMPARE(tavo::parse_clock_text(text), std::optional<std::int32_t>(ms));
}

void TestAssessmentFile::parse_clock_text_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<std::int32_t>>("ms");
    const std::optional<std::int32_t> error;
    QTest::newRow("blanks around numbers") << " 9 : 05 :07 : 042 " << std::optional(32707042);
    QTest::newRow("plus sign") << "+9:05:07:042" << std::optional(32707042);
    QTest::newRow("pieces after the fourth ignored") << "9:05:07:042:x" << std::optional(32707042);
    QTest::newRow("parts beyond their range") << "0:70:00:000" << std::optional(4200000);
    QTest::newRow("three pieces") << "9:05:07" << error;
    QTest::newRow("empty fourth piece") << "9:05:07:" << error;
    QTest::newRow("empty text") << "" << error;
    QTest::newRow("no number") << "9:05:xx:042" << error;
    QTest::newRow("decimal point") << "9:05:07.5:042" << error;
    QTest::newRow("sign alone") << "-:05:07:042" << error;
    QTest::newRow("sum overflows") << "596:31:23:648" << error;
    QTest::newRow("hours overflow") << "600:00:00:000" << error;
    QTest::newRow("a step overflows though the sum fits") << "597:-1000:00:000" << error;
    // -596 hours fit, 40000 minutes alone do not, and the sum would.
    QTest::newRow("a later term overflows though the sum fits") << "-596:40000:00:000" << error;
    QTest::newRow("piece beyond 32 bits") << "0:0:0:2147483648" << error;
    QTest::newRow("huge piece") << "0:0:0:99999999999999999999999" << error;
}

void TestAssessmentFile::parse_clock_text() {
    QFETCH(QString, text);
    QTEST(tavo::parse_clock_text(text), "ms");
}

namespace {

void add_sample_rows() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<TypedFields>("fields");
    QTest::addColumn<TestData>("data");
    QTest::addColumn<TypedFields>("fields_read");

    TypedFields no_tests = sample_fields;
    QTest::newRow("no test run, empty notes")
        << "no_tests.tavo" << no_tests << TestData{} << no_tests;
    QTest::newRow("three tests") << "three_tests.tavo" << three_tests_fields() << three_tests_data()
                                 << three_tests_fields();
    const TypedFields late = {"Cy Late", "Dr Bo Reyes", "Chin", "Wobble",
                              "Late session.\r\nTired at the end."};
    QTest::newRow("after midnight, two-line notes")
        << "after_midnight.tavo" << late << after_midnight_data() << late;
    QTest::newRow("subject with a TAB, notes ending with CR LF")
        << "subject_tab.tavo" << TypedFields{"Ann\tExample", "", "", "", "First line\r\n"}
        << TestData{} << TypedFields{"Ann", "", "", "", "First line\r\n"};
    const TypedFields western = {
        QStringLiteral(u"Zo\u00eb M\u00fcller"), QStringLiteral(u"Ren\u00e9e Dubois"),
        QStringLiteral(u"Caf\u00e9 \u2014 left"), QStringLiteral(u"Jelly Bean\u2019s"),
        QStringLiteral(u"Costs 25 \u20ac")};
    QTest::newRow("Windows-1252") << "windows_1252.tavo" << western << TestData{} << western;
    const TypedFields polish = {QStringLiteral(u"\u0141ukasz \u017b\u00f3\u0142\u0107"), "", "", "",
                                QStringLiteral(u"\u0141\u00f3d\u017a")};
    QTest::newRow("UTF-8 for characters beyond Windows-1252")
        << "utf8_bom.tavo" << polish << TestData{} << polish;
}

} // namespace

void TestAssessmentFile::writer_gives_the_hand_made_bytes_data() {
    add_sample_rows();
}

void TestAssessmentFile::writer_gives_the_hand_made_bytes() {
    QFETCH(QString, file);
    QFETCH(TypedFields, fields);
    QFETCH(TestData, data);
    QFETCH(TypedFields, fields_read);
    const QByteArray expected = sample_bytes(file);
    QVERIFY(!expected.isEmpty());
    const WrittenFile written = write_assessment(fields, data);
    if (fields != fields_read) {
        // Fields that would not read back as they are (an edited file's TAB)
        // are never written.
        QVERIFY(!written.ok());
        return;
    }
    QVERIFY2(written.ok(), qPrintable(written.error));
    QCOMPARE(written.bytes, expected);
}

void TestAssessmentFile::reader_gives_back_the_readings_data() {
    add_sample_rows();
}

// Read, then write again: the same bytes, and readings whose differences are
// those of the assessment that was written.
void TestAssessmentFile::reader_gives_back_the_readings() {
    QFETCH(QString, file);
    QFETCH(TestData, data);
    QFETCH(TypedFields, fields_read);
    TestData current;
    current.activation.start_time = {2020, 1, 3, 1, 1, 2, 3, 4};
    current.repetition.start_time = {2021, 6, 1, 7, 0, 0, 0, 0};
    const ReadResult read = read_assessment_file(sample_path(file), current);
    QVERIFY2(read.ok(), qPrintable(why(read)));
    QCOMPARE(read.record.fields, fields_read);
    QCOMPARE(reading_offsets(read.record.data), reading_offsets(data));
    QCOMPARE(test_results(read.record.data), test_results(data));
    // The file holds no dates: they stay as they were.
    const LocalTime& start = read.record.data.activation.start_time;
    QCOMPARE(LocalTime({start.year, start.month, start.day_of_week, start.day, 0, 0, 0, 0}),
             LocalTime({2020, 1, 3, 1, 0, 0, 0, 0}));
    QCOMPARE(read.record.data.repetition.start_time.month, std::uint16_t{6});
    QCOMPARE(start.hour, data.activation.start_time.hour);
    QCOMPARE(start.millisecond, data.activation.start_time.millisecond);

    const WrittenFile again = write_assessment(read.record.fields, read.record.data);
    QVERIFY(again.ok());
    QCOMPARE(again.bytes, sample_bytes(file).replace("Ann\tExample", "Ann"));
}

void TestAssessmentFile::reader_accepts_bare_line_feeds() {
    const ReadResult crlf = read_assessment(sample_bytes("three_tests.tavo"), {});
    const ReadResult lf = read_assessment(sample_bytes("three_tests_lf.tavo"), {});
    QVERIFY(crlf.ok() && lf.ok());
    QCOMPARE(lf.record.fields, crlf.record.fields);
    QCOMPARE(lf.record.data, crlf.record.data);
    // Without a line end after the last line, that line still counts.
    const ReadResult unended = read_assessment(sample_bytes("three_tests.tavo").chopped(2), {});
    QVERIFY(unended.ok());
    QCOMPARE(unended.record.data, crlf.record.data);
}

void TestAssessmentFile::negative_times_of_an_edited_file_survive_the_round_trip() {
    QByteArray edited =
        with_line(sample_bytes("three_tests.tavo"), 14, "-1:-05:-07:-042\tTest Started");
    edited = with_line(edited, 15, "0:00:00:-001\tStimulus");
    const ReadResult read = read_assessment(edited, {});
    QVERIFY(read.ok());
    QCOMPARE(read.record.data.activation.start_tick, -3907042);
    QCOMPARE(read.record.data.activation.onsets[0], -1);
    const WrittenFile written = write_assessment(read.record.fields, read.record.data);
    QVERIFY(written.ok());
    QCOMPARE(written.bytes, edited);
}

void TestAssessmentFile::unwritable_times_are_refused_data() {
    QTest::addColumn<TypedFields>("fields");
    QTest::addColumn<TestData>("data");
    QTest::addColumn<QString>("error");
    // Every one-line field, and a lone CR as much as a LF.
    const struct {
        const char* caption;
        const char* text;
    } broken[] = {{"Subject Name", "Ann\nLee"},
                  {"Administrator", "Bo\nKay"},
                  {"Switch Location", "left\rhand"},
                  {"Switch Type", "round\r\nbutton"}};
    for (std::size_t i = 0; i < std::size(broken); ++i) {
        TypedFields fields = sample_fields;
        fields[i] = QString::fromLatin1(broken[i].text);
        QTest::addRow("line break in the %s", broken[i].caption)
            << fields << TestData{}
            << QStringLiteral("the %1 contains a line break, which the file cannot hold; please "
                              "put it on one line")
                   .arg(QString::fromLatin1(broken[i].caption));
    }
    TypedFields marker_in_notes = sample_fields;
    marker_in_notes[4] = QStringLiteral("first\r\n<--------End Notes------>\r\nlast");
    QTest::newRow("notes line like the end marker")
        << marker_in_notes << TestData{}
        << "a line of the notes reads \"<--------End Notes------>\", which would end the notes "
           "early when the file is opened again; please change that line";
    TestData bad_start;
    bad_start.release.start_time.hour = 32767;
    QTest::newRow("start beyond 32 bits")
        << sample_fields << bad_start << "the start time of the release test is no time of day";
    TestData far_event = after_midnight_data();
    far_event.activation.responses[2] = far_event.activation.start_tick + 2'100'000'000;
    QTest::newRow("event too far from the start")
        << sample_fields << far_event
        << "the time of click 3 of the activation test lies too far from the test's start to be "
           "written as a clock time";
    TestData far_repetition;
    far_repetition.repetition.start_time.hour = 500;
    far_repetition.repetition.click_times[4] = 400'000'000;
    QTest::newRow("repetition click")
        << sample_fields << far_repetition
        << "the time of click 5 of the repetition test lies too far from the test's start to be "
           "written as a clock time";
}

void TestAssessmentFile::unwritable_times_are_refused() {
    QFETCH(TypedFields, fields);
    QFETCH(TestData, data);
    const WrittenFile written = write_assessment(fields, data);
    QVERIFY(!written.ok());
    QTEST(written.error, "error");
    QVERIFY(written.bytes.isEmpty());
}

void TestAssessmentFile::reader_failures_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("failure");
    const QByteArray good = sample_bytes("three_tests.tavo");
    const QString clock = QStringLiteral("expected a clock time such as 9:05:07:042");

    QTest::newRow("empty file")
        << QByteArray()
        << "line 1: expected a TAB between the label and the subject, but the file is empty";
    QTest::newRow("cut after line 1")
        << first_lines(good, 1) << "line 2: expected an empty line, but the file ends after line 1";
    QTest::newRow("cut before the begin marker")
        << first_lines(good, 8)
        << "line 9: expected the line <--------Begin Notes------>, but the file ends after line 8";
    QTest::newRow("cut inside the notes")
        << first_lines(good, 10)
        << "line 11: expected the notes or the line <--------End Notes------>, but the file ends "
           "after line 10";
    QTest::newRow("cut before a section title")
        << first_lines(good, 35)
        << "line 36: expected the title Release Test Results, but the file ends after line 35";
    QTest::newRow("cut before the last click")
        << first_lines(good, 65) << "line 66: " + clock + ", but the file ends after line 65";
    // A write cut short inside the last line leaves a shorter number that
    // would read as another time: 9:20:02:95 is 95 ms, not 950.
    const QString cut = QStringLiteral(", a TAB and a label, found %1 at the end of the file, "
                                       "which seems to be cut off");
    QTest::newRow("cut inside the last line")
        << good.chopped(9) << "line 66: " + clock + cut.arg("\"9:20:02:95\"");
    QTest::newRow("cut after the last number")
        << good.chopped(8) << "line 66: " + clock + cut.arg("\"9:20:02:950\"");
    QTest::newRow("cut inside a start line") << first_lines(good, 36) + "9:12:3"
                                             << "line 37: " + clock + cut.arg("\"9:12:3\"");
    QTest::newRow("no TAB in a field line")
        << with_line(good, 3, "Administrator: Dr Bo Reyes")
        << "line 3: expected a TAB between the label and the administrator, found "
           "\"Administrator: Dr Bo Reyes\"";
    QTest::newRow("clock text with three pieces")
        << sample_bytes("damaged_line14.tavo") << "line 14: " + clock + ", found \"9:05:07\"";
    QTest::newRow("no number") << with_line(good, 20, "9:05:x:542\tStimulus")
                               << "line 20: " + clock + ", found \"9:05:x:542\"";
    QTest::newRow("32-bit overflow") << with_line(good, 66, "596:31:23:648\tClick")
                                     << "line 66: " + clock + ", found \"596:31:23:648\"";
    QTest::newRow("start part beyond 16 bits")
        << with_line(good, 37, "0:-32769:00:000\tTest Started")
        << "line 37: " + clock + ", found \"0:-32769:00:000\"";
    QTest::newRow("long text is shortened")
        << with_line(good, 15, QByteArray(50, 'x') + "\tStimulus")
        << "line 15: " + clock + ", found \"" + QString(40, u'x') + "...\"";
    // The writer refuses such notes; an edited file can still hold them.
    QByteArray marker_in_notes =
        write_assessment({"Ann", "", "", "", "Before\r\nMARKER\r\nAfter"}, TestData{}).bytes;
    marker_in_notes.replace("MARKER", "<--------End Notes------>");
    QTest::newRow("notes line equal to the end marker")
        << marker_in_notes << "line 14: " + clock + ", found \"\"";
}

void TestAssessmentFile::reader_failures() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, failure);
    const ReadResult read = read_assessment(bytes, three_tests_data());
    QVERIFY(!read.ok());
    QCOMPARE(describe_read_failure(*read.failure), failure);
    // Nothing half-read is handed out.
    QCOMPARE(read.record.data, TestData{});
    QCOMPARE(read.record.fields, TypedFields{});
}

Q_DECLARE_METATYPE(tavo::TextEncoding)

void TestAssessmentFile::text_encodings_data() {
    QTest::addColumn<QByteArray>("subject"); // the bytes of line 1 after the TAB
    QTest::addColumn<QByteArray>("whole");   // the whole file instead, when not empty
    QTest::addColumn<QString>("read");       // the subject read, or the failure
    QTest::addColumn<TextEncoding>("encoding");
    const auto utf8 = TextEncoding::utf8_without_bom;
    const auto cp1252 = TextEncoding::windows_1252;
    QTest::newRow("UTF-8 without a BOM, written by another program")
        << QByteArray("Jos\xC3\xA9 \xC3\x9Cnal") << QByteArray()
        << QStringLiteral(u"Jos\u00e9 \u00dcnal") << utf8;
    QTest::newRow("UTF-8 without a BOM, beyond Windows-1252")
        << QByteArray("\xC5\x81ukasz \xF0\x9F\x99\x82") << QByteArray()
        << QStringLiteral(u"\u0141ukasz \U0001F642") << utf8;
    QTest::newRow("Windows-1252 of the same name")
        << QByteArray("Jos\xE9 \xDCnal") << QByteArray() << QStringLiteral(u"Jos\u00e9 \u00dcnal")
        << cp1252;
    QTest::newRow("Windows-1252 that starts like UTF-8")
        << QByteArray("\xC3\xA9t\xE9") << QByteArray() << QStringLiteral(u"\u00c3\u00a9t\u00e9")
        << cp1252;
    QTest::newRow("an overlong UTF-8 form is Windows-1252")
        << QByteArray("A\xC0\xAF") << QByteArray() << QStringLiteral(u"A\u00c0\u00af") << cp1252;
    QTest::newRow("a UTF-8 surrogate is Windows-1252")
        << QByteArray("\xED\xA0\x80") << QByteArray() << QStringLiteral(u"\u00ed\u00a0\u20ac")
        << cp1252;
    QTest::newRow("plain ASCII stays Windows-1252")
        << QByteArray("Ann") << QByteArray() << QStringLiteral("Ann") << cp1252;

    const QByteArray good = sample_bytes("three_tests.tavo");
    QByteArray cr_only = good;
    cr_only.replace("\r\n", "\r");
    QTest::newRow("CR-only line ends")
        << QByteArray() << cr_only
        << "The file's line endings are CR only; TAVO reads lines ended by CR LF or LF" << cp1252;
    const QString utf16 =
        QStringLiteral("The file is UTF-16 text; TAVO reads assessment files in Windows-1252 "
                       "or UTF-8 only");
    const QString text = QString::fromLatin1(good);
    QByteArray little(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    QTest::newRow("UTF-16 without a BOM") << QByteArray() << little << utf16 << cp1252;
    QTest::newRow("UTF-16 with a BOM")
        << QByteArray() << QByteArray("\xFF\xFE") + little << utf16 << cp1252;
}

// Read, then written again: the same bytes in the same encoding.
void TestAssessmentFile::text_encodings() {
    QFETCH(QByteArray, subject);
    QFETCH(QByteArray, whole);
    QFETCH(QString, read);
    QFETCH(TextEncoding, encoding);
    const QByteArray bytes =
        whole.isEmpty() ? with_line(sample_bytes("three_tests.tavo"), 1, "Subject: \t" + subject)
                        : whole;
    const ReadResult result = read_assessment(bytes, {});
    if (!whole.isEmpty()) {
        QVERIFY(!result.ok());
        QCOMPARE(describe_read_failure(*result.failure), read);
        return;
    }
    QVERIFY2(result.ok(), qPrintable(why(result)));
    QCOMPARE(result.record.fields[0], read);
    QCOMPARE(result.record.encoding, encoding);
    const WrittenFile written =
        write_assessment(result.record.fields, result.record.data, result.record.encoding);
    QVERIFY(written.ok());
    QCOMPARE(written.bytes, bytes);
}

// "JosÃ©" in Windows-1252 is the bytes of "José" in UTF-8: the reader would
// take the file for UTF-8 and change the name.
void TestAssessmentFile::windows_1252_text_that_forms_utf8_reads_back_as_typed() {
    TypedFields fields;
    fields[0] = QStringLiteral(u"Jos\u00c3\u00a9");
    const WrittenFile written = write_assessment(fields, TestData{});
    QVERIFY(written.ok());
    const ReadResult again = read_assessment(written.bytes, {});
    QVERIFY2(again.ok(), qPrintable(why(again)));
    QCOMPARE(again.record.fields, fields);
}

void TestAssessmentFile::size_limit_at_both_ends_data() {
    QTest::addColumn<qsizetype>("beyond");  // bytes beyond the limit the notes reach
    QTest::addColumn<QString>("last_note"); // the notes' last character
    QTest::addColumn<bool>("fits");
    QTest::newRow("exactly the limit") << qsizetype{0} << QStringLiteral("x") << true;
    QTest::newRow("a byte over the limit") << qsizetype{1} << QStringLiteral("x") << false;
    // Windows-1252 notes of 9 MiB become 18 MiB of UTF-8 with one character
    // that has no Windows-1252 byte.
    QTest::newRow("one character turns the file into UTF-8")
        << qsizetype{-7 * 1024 * 1024} << QStringLiteral(u"\u0141") << false;
}

// What the writer writes, the reader opens; what the reader would refuse,
// the writer refuses with the limit named.
void TestAssessmentFile::size_limit_at_both_ends() {
    QFETCH(qsizetype, beyond);
    QFETCH(QString, last_note);
    QFETCH(bool, fits);
    TypedFields fields = sample_fields;
    const qsizetype frame = write_assessment(fields, {}).bytes.size();
    fields[4] = QString(largest_assessment_file - frame + beyond - 1, QChar(0xE9)) + last_note;
    const WrittenFile written = write_assessment(fields, {});
    QCOMPARE(written.ok(), fits);
    if (!fits) {
        QVERIFY2(written.error.contains(QLatin1String("more than the 16 MiB (16777216 bytes) that "
                                                      "TAVO opens")),
                 qPrintable(written.error));
        return;
    }
    QCOMPARE(written.bytes.size(), largest_assessment_file);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("large.tavo")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(written.bytes) == written.bytes.size());
    file.close();
    const ReadResult read = read_assessment_file(file.fileName(), {});
    QVERIFY2(read.ok(), qPrintable(why(read)));
    QCOMPARE(read.record.fields[4], fields[4]);
    // One byte more on the disk, and the reader refuses it.
    QVERIFY(file.open(QIODevice::Append) && file.write(" ") == 1);
    file.close();
    QVERIFY(!read_assessment_file(file.fileName(), {}).ok());
}

void TestAssessmentFile::readings_far_apart_are_written_back_as_read_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("other_line"); // 0 for none
    QTest::addColumn<QByteArray>("other_text");
    QTest::newRow("a start and its click a thousand hours apart")
        << 14 << QByteArray("-500:00:00:000\tTest Started") << 16
        << QByteArray("500:00:00:000\tClick");
    QTest::newRow("a stimulus at the smallest time")
        << 15 << QByteArray("-596:-31:-23:-648\tStimulus") << 0 << QByteArray();
    QTest::newRow("a start at 500 hours, its stimulus at -500")
        << 14 << QByteArray("500:00:00:000\tTest Started") << 15
        << QByteArray("-500:00:00:000\tStimulus");
    QTest::newRow("a repetition click far before its start")
        << 66 << QByteArray("-596:-31:-23:-648\tClick") << 0 << QByteArray();
}

// Whatever opened can be saved again with new notes: an edited file's
// readings, however far apart, go back as they were read.
void TestAssessmentFile::readings_far_apart_are_written_back_as_read() {
    QFETCH(int, line);
    QFETCH(QByteArray, text);
    QFETCH(int, other_line);
    QFETCH(QByteArray, other_text);
    QByteArray edited = with_line(sample_bytes("three_tests.tavo"), line, text);
    if (other_line > 0) {
        edited = with_line(edited, other_line, other_text);
    }
    const ReadResult read = read_assessment(edited, {});
    QVERIFY2(read.ok(), qPrintable(why(read)));
    TypedFields fields = read.record.fields;
    fields[4] += QStringLiteral("\r\nA new line");
    const WrittenFile written = write_assessment(fields, read.record.data);
    QVERIFY2(written.ok(), qPrintable(written.error));
    QCOMPARE(written.bytes, edited.replace("\r\n<--------End Notes------>",
                                           "\r\nA new line\r\n<--------End Notes------>"));
}

QTEST_GUILESS_MAIN(TestAssessmentFile)
#include "test_assessment_file.moc"

#include "assessment_file.h"

#include "clock_text.h"
#include "results.h"
#include "whole_file.h"
#include "windows_1252.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <limits>
#include <vector>

namespace tavo {

namespace {

bool is_multibyte_utf8(QByteArrayView bytes);

const QString begin_marker = QStringLiteral("<--------Begin Notes------>");
const QString end_marker = QStringLiteral("<--------End Notes------>");
const QString crlf = QStringLiteral("\r\n");
constexpr char tab = '\t';
const QByteArray utf8_bom = QByteArrayLiteral("\xEF\xBB\xBF");

const char* const field_labels[] = {
    "Subject: ", "Administrator: ", "Switch Location: ", "Switch Type: "};
const char* const field_names[] = {"subject", "administrator", "switch location", "switch type"};

// One timing line of a section: the reading, the label the line carries and
// how a message names the event ("click 3").
struct TimedEvent {
    ClockReading reading;
    const char* label;
    QString name;
};

struct Section {
    const char* title;
    const char* test_name;
    const LocalTime& start_time;
    ClockReading start_tick;
    std::vector<TimedEvent> events;
};

// A timed test's section: each trial's stimulus and its response.
Section timed_section(const char* title, const char* test_name, const TimedTestData& test,
                      const char* response_label) {
    Section section{title, test_name, test.start_time, test.start_tick, {}};
    for (int i = 0; i < trials_per_test; ++i) {
        const QString trial = QString::number(i + 1);
        section.events.push_back({test.onsets[i], "Stimulus", QStringLiteral("stimulus ") + trial});
        section.events.push_back(
            {test.responses[i], response_label,
             QString::fromLatin1(response_label).toLower() + QLatin1Char(' ') + trial});
    }
    return section;
}

std::vector<Section> sections_of(const TestData& d) {
    std::vector<Section> sections;
    sections.push_back(
        timed_section("Activation Test Results", "activation test", d.activation, "Click"));
    sections.push_back(timed_section("Release Test Results", "release test", d.release, "Release"));
    sections.push_back({"Repetition Test Results",
                        "repetition test",
                        d.repetition.start_time,
                        d.repetition.start_tick,
                        {}});
    std::vector<TimedEvent>& rep = sections.back().events;
    rep.push_back({d.repetition.first_press, "Switch Down", QStringLiteral("first press")});
    for (int i = 0; i < repetition_clicks; ++i) {
        rep.push_back({d.repetition.click_times[i], "Click",
                       QStringLiteral("click ") + QString::number(i + 1)});
    }
    return sections;
}

QString timed_line(std::int32_t ms, const char* label) {
    return format_clock_text(ms) + QLatin1Char(tab) + QString::fromLatin1(label);
}

// An event is written as its time of day: the start's time of day plus the
// clock time passed since the start press, taken across a wrap of the clock.
QString write_section(QStringList& lines, const Section& section) {
    const QString test = QString::fromLatin1(section.test_name);
    const std::optional<std::int32_t> start = time_of_day_ms(section.start_time);
    if (!start) {
        return QStringLiteral("the start time of the %1 is no time of day").arg(test);
    }
    lines << QString::fromLatin1(section.title) << timed_line(*start, "Test Started");
    for (const TimedEvent& event : section.events) {
        const std::optional<std::int32_t> time =
            reading_time_of_day(section.start_time, section.start_tick, event.reading);
        if (!time) {
            return QStringLiteral("the time of %1 of the %2 lies too far from the test's start "
                                  "to be written as a clock time")
                .arg(event.name, test);
        }
        lines << timed_line(*time, event.label);
    }
    return {};
}

QByteArray encode(const QString& text, TextEncoding encoding) {
    if (encoding == TextEncoding::utf8_without_bom) {
        return text.toUtf8();
    }
    // Windows-1252 bytes that happen to form UTF-8 ("Å" and a control code
    // reads as "Ł") would be read back as UTF-8, other text than was saved:
    // such a file is written as UTF-8 with its mark.
    if (const std::optional<QByteArray> bytes = to_windows_1252(text);
        bytes && !is_multibyte_utf8(*bytes)) {
        return *bytes;
    }
    return utf8_bom + text.toUtf8();
}

QString megabytes(qint64 bytes) {
    return QStringLiteral("%1 MiB").arg(bytes / (qint64{1024} * 1024));
}

} // namespace

QString text_the_file_cannot_hold(const TypedFields& fields) {
    static const char* const field_captions[] = {"Subject Name", "Administrator", "Switch Location",
                                                 "Switch Type"};
    for (std::size_t i = 0; i < 4; ++i) {
        if (fields[i].contains(QLatin1Char(tab))) {
            return QStringLiteral("the %1 contains a TAB, which the file cannot hold (the text "
                                  "after it would be lost); please replace it with a blank")
                .arg(QString::fromLatin1(field_captions[i]));
        }
    }
    for (std::size_t i = 0; i < 4; ++i) {
        if (fields[i].contains(QLatin1Char('\r')) || fields[i].contains(QLatin1Char('\n'))) {
            return QStringLiteral("the %1 contains a line break, which the file cannot hold; "
                                  "please put it on one line")
                .arg(QString::fromLatin1(field_captions[i]));
        }
    }
    const QStringList note_lines =
        fields[4].split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (note_lines.contains(end_marker)) {
        return QStringLiteral("a line of the notes reads \"%1\", which would end the notes early "
                              "when the file is opened again; please change that line")
            .arg(end_marker);
    }
    return {};
}

WrittenFile write_assessment(const TypedFields& fields, const TestData& data,
                             TextEncoding encoding) {
    // A file that could not be opened again would lose the assessment later:
    // refuse to write it and say why.
    if (const QString unreadable = text_the_file_cannot_hold(fields); !unreadable.isEmpty()) {
        return {{}, unreadable};
    }
    QStringList lines;
    for (std::size_t i = 0; i < 4; ++i) {
        lines << QString::fromLatin1(field_labels[i]) + QLatin1Char(tab) + fields[i] << QString();
    }
    // The notes keep their own line breaks and get one more after them.
    lines << begin_marker << fields[4] << end_marker << QString();
    const std::vector<Section> sections = sections_of(data);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (i > 0) {
            lines << QString();
        }
        if (QString error = write_section(lines, sections[i]); !error.isEmpty()) {
            return {{}, error};
        }
    }
    QByteArray bytes = encode(lines.join(crlf) + crlf, encoding);
    if (bytes.size() > largest_assessment_file) {
        return {{},
                QStringLiteral("the assessment would take %1 bytes, more than the %2 (%3 bytes) "
                               "that TAVO opens, so the file could not be opened again; please "
                               "shorten the notes")
                    .arg(bytes.size())
                    .arg(megabytes(largest_assessment_file))
                    .arg(largest_assessment_file)};
    }
    return {std::move(bytes), {}};
}

// ---------------------------------------------------------------------------
// Reading

namespace {

constexpr int longest_quote = 40;

QString quoted(QStringView text) {
    const QString shown = text.size() > longest_quote
                              ? text.left(longest_quote).toString() + QStringLiteral("...")
                              : text.toString();
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

// Hands out the lines of a text one by one, ended by CR LF or a bare LF.
class LineReader {
public:
    explicit LineReader(QStringView text)
        : m_text(text) {}

    std::optional<QStringView> next() {
        if (m_position >= m_text.size()) {
            return std::nullopt;
        }
        qsizetype end = m_text.indexOf(u'\n', m_position);
        if (end < 0) {
            end = m_text.size();
        }
        QStringView line = m_text.mid(m_position, end - m_position);
        if (end < m_text.size() && line.endsWith(u'\r')) {
            line.chop(1);
        }
        m_position = end + 1;
        ++m_number;
        return line;
    }

    // The number of the line that next() would hand out.
    int next_number() const { return m_number + 1; }

    bool at_end() const { return m_position >= m_text.size(); }

private:
    QStringView m_text;
    qsizetype m_position = 0;
    int m_number = 0;
};

QStringView piece(QStringView line, int index) {
    qsizetype start = 0;
    for (int i = 0; i < index; ++i) {
        start = line.indexOf(QLatin1Char(tab), start) + 1;
    }
    const qsizetype end = line.indexOf(QLatin1Char(tab), start);
    return end < 0 ? line.mid(start) : line.mid(start, end - start);
}

const QString clock_expected = QStringLiteral("a clock time such as 9:05:07:042");

class Reader {
public:
    Reader(QStringView text, const TestData& current)
        : m_lines(text) {
        m_result.record.data = current;
    }

    ReadResult run() {
        AssessmentRecord& record = m_result.record;
        TestData& d = record.data;
        for (std::size_t i = 0; i < 4; ++i) {
            if (!field(record.fields[i], field_names[i]) ||
                (i < 3 && !skip(QStringLiteral("an empty line")))) {
                return m_result;
            }
        }
        if (!skip(QStringLiteral("an empty line")) ||
            !skip(QStringLiteral("the line ") + begin_marker) || !notes(record.fields[4]) ||
            !timed_test("Activation Test Results", d.activation) ||
            !timed_test("Release Test Results", d.release) ||
            !section("Repetition Test Results", d.repetition.start_tick, d.repetition.start_time) ||
            !event(d.repetition.first_press)) {
            return m_result;
        }
        for (ClockReading& click : d.repetition.click_times) {
            if (!event(click)) {
                break;
            }
        }
        return m_result;
    }

private:
    // The next line, or a failure naming what was expected there.
    std::optional<QStringView> take(const QString& expected) {
        const int number = m_lines.next_number();
        std::optional<QStringView> line = m_lines.next();
        if (!line) {
            fail(number, expected,
                 number == 1 ? QStringLiteral("but the file is empty")
                             : QStringLiteral("but the file ends after line %1").arg(number - 1));
        }
        return line;
    }

    bool fail(int line, const QString& expected, const QString& detail) {
        m_result.failure =
            ReadFailure{line, QStringLiteral("expected %1, %2").arg(expected, detail)};
        return false;
    }

    bool fail_found(const QString& expected, QStringView found) {
        return fail(m_lines.next_number() - 1, expected, QStringLiteral("found ") + quoted(found));
    }

    bool skip(const QString& expected) { return take(expected).has_value(); }

    bool field(QString& into, const char* name) {
        const QString expected =
            QStringLiteral("a TAB between the label and the %1").arg(QString::fromLatin1(name));
        const std::optional<QStringView> line = take(expected);
        if (!line) {
            return false;
        }
        if (!line->contains(QLatin1Char(tab))) {
            return fail_found(expected, *line);
        }
        into = piece(*line, 1).toString();
        return true;
    }

    bool notes(QString& into) {
        const QString expected = QStringLiteral("the notes or the line ") + end_marker;
        QStringList lines;
        for (std::optional<QStringView> line = take(expected); line; line = take(expected)) {
            if (*line == end_marker) {
                into = lines.join(crlf);
                return true;
            }
            lines << line->toString();
        }
        return false;
    }

    bool section(const char* title, ClockReading& tick, LocalTime& start) {
        if (!skip(QStringLiteral("an empty line")) ||
            !skip(QStringLiteral("the title ") + QString::fromLatin1(title))) {
            return false;
        }
        const std::optional<QStringView> line = timed_line();
        if (!line) {
            return false;
        }
        const QStringView text = piece(*line, 0);
        const std::optional<std::int32_t> ms = parse_clock_text(text);
        const std::optional<ClockParts> parts = parse_clock_parts(text);
        if (!ms || !parts || !fits_16_bits(*parts)) {
            return fail_found(clock_expected, text);
        }
        tick = *ms;
        // The record holds each part as a 16-bit number; its date stays.
        start.hour = static_cast<std::uint16_t>(parts->hours);
        start.minute = static_cast<std::uint16_t>(parts->minutes);
        start.second = static_cast<std::uint16_t>(parts->seconds);
        start.millisecond = static_cast<std::uint16_t>(parts->milliseconds);
        return true;
    }

    // A timing line. The reader ignores its label, but the last line of the
    // file without a TAB was most likely cut while it was written
    // ("9:00:05:32" of "9:00:05:321"), so its number cannot be trusted.
    std::optional<QStringView> timed_line() {
        std::optional<QStringView> line = take(clock_expected);
        if (line && m_lines.at_end() && !line->contains(QLatin1Char(tab))) {
            fail(m_lines.next_number() - 1, clock_expected + QStringLiteral(", a TAB and a label"),
                 QStringLiteral("found %1 at the end of the file, which seems to be cut off")
                     .arg(quoted(*line)));
            return std::nullopt;
        }
        return line;
    }

    static bool fits_16_bits(const ClockParts& parts) {
        for (const std::int32_t part :
             {parts.hours, parts.minutes, parts.seconds, parts.milliseconds}) {
            if (part < std::numeric_limits<std::int16_t>::min() ||
                part > std::numeric_limits<std::int16_t>::max()) {
                return false;
            }
        }
        return true;
    }

    bool timed_test(const char* title, TimedTestData& test) {
        if (!section(title, test.start_tick, test.start_time)) {
            return false;
        }
        for (int i = 0; i < trials_per_test; ++i) {
            if (!event(test.onsets[i]) || !event(test.responses[i])) {
                return false;
            }
        }
        return true;
    }

    bool event(ClockReading& into) {
        const std::optional<QStringView> line = timed_line();
        if (!line) {
            return false;
        }
        const QStringView text = piece(*line, 0);
        const std::optional<std::int32_t> ms = parse_clock_text(text);
        if (!ms) {
            return fail_found(clock_expected, text);
        }
        into = *ms;
        return true;
    }

    LineReader m_lines;
    ReadResult m_result;
};

// Valid UTF-8 that holds at least one multi-byte sequence. Plain ASCII is
// read the same either way and stays Windows-1252.
bool is_multibyte_utf8(QByteArrayView bytes) {
    bool multibyte = false;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        qsizetype length = 0;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07u;
        } else {
            return false;
        }
        if (i + length > bytes.size()) {
            return false;
        }
        for (qsizetype k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0u) != 0x80u) {
                return false;
            }
            code = (code << 6) | (next & 0x3Fu);
        }
        // Overlong forms, surrogates and code points beyond Unicode are no
        // UTF-8 that any program writes.
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            return false;
        }
        multibyte = true;
        i += length;
    }
    return multibyte;
}

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::windows_1252;
};

DecodedText decode(QByteArrayView bytes) {
    if (bytes.startsWith(utf8_bom)) {
        return {QString::fromUtf8(bytes.sliced(utf8_bom.size())), TextEncoding::windows_1252};
    }
    if (is_multibyte_utf8(bytes)) {
        return {QString::fromUtf8(bytes), TextEncoding::utf8_without_bom};
    }
    return {from_windows_1252(bytes), TextEncoding::windows_1252};
}

// UTF-16 text has a NUL beside nearly every character of a Latin text, and
// often a byte-order mark: read as bytes it is one long line of garbage.
bool looks_like_utf16(QByteArrayView bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        return true;
    }
    return bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0');
}

// Another reason than the reader's when the whole file is of another kind.
std::optional<ReadFailure> foreign_text(QByteArrayView bytes, const QString& text) {
    if (looks_like_utf16(bytes)) {
        return ReadFailure{0, QStringLiteral("The file is UTF-16 text; TAVO reads assessment "
                                             "files in Windows-1252 or UTF-8 only")};
    }
    if (text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) {
        return ReadFailure{0, QStringLiteral("The file's line endings are CR only; TAVO reads "
                                             "lines ended by CR LF or LF")};
    }
    return std::nullopt;
}

} // namespace

ReadResult read_assessment(QByteArrayView bytes, const TestData& current) {
    const DecodedText decoded = decode(bytes);
    ReadResult result = Reader(decoded.text, current).run();
    if (!result.ok()) {
        if (std::optional<ReadFailure> foreign = foreign_text(bytes, decoded.text)) {
            result.failure = std::move(foreign);
        }
        result.record = {};
        return result;
    }
    result.record.encoding = decoded.encoding;
    return result;
}

namespace {

ReadResult whole_file_failure(const QString& reason) {
    ReadResult result;
    result.failure = ReadFailure{0, reason};
    return result;
}

} // namespace

ReadResult read_assessment_file(const QString& path, const TestData& current) {
    const WholeFile file = read_whole_file(path, largest_assessment_file);
    switch (file.failure) {
    case ReadFailureKind::none: {
        ReadResult read = read_assessment(file.bytes, current);
        read.content_hash = content_hash(file.bytes);
        return read;
    }
    case ReadFailureKind::not_regular:
        return whole_file_failure(
            QStringLiteral("It is not an ordinary file but a folder, a device or a pipe"));
    case ReadFailureKind::too_large:
        return whole_file_failure(QStringLiteral("It is larger than %1 (%2 bytes), far more "
                                                 "than any assessment file holds")
                                      .arg(megabytes(largest_assessment_file))
                                      .arg(largest_assessment_file));
    case ReadFailureKind::system:
        break;
    }
    return whole_file_failure(file.reason);
}

QByteArray content_hash(QByteArrayView bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

std::optional<QString> save_assessment_file(const QString& path, const QByteArray& bytes) {
    return replace_whole_file(path, bytes);
}

QString describe_read_failure(const ReadFailure& failure) {
    if (failure.line == 0) {
        return failure.reason;
    }
    return QStringLiteral("line %1: %2").arg(failure.line).arg(failure.reason);
}

} // namespace tavo

// The ".tavo" assessment file: its writer and reader, bytes in and bytes out.
// Lines have fixed places; each instant is a time of day in clock text; lines
// end with CR LF; the text is Windows-1252, or UTF-8 with a byte-order mark
// when a character has no Windows-1252 byte. The writer and the reader are
// each other's inverse for any assessment whose fields hold no TAB or line
// break and whose notes hold no line that reads as the end-of-notes marker.
#pragma once

#include "assessment.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tavo {

// What a file carries: the five typed fields and every reading.
struct AssessmentRecord {
    TypedFields fields;
    TestData data;
    TextEncoding encoding = TextEncoding::windows_1252;
};

// A complete assessment is under 2 KB plus its notes; a larger file is no
// assessment, and reading it whole could exhaust the memory. The writer keeps
// to the same limit, so that every file it writes can be opened again.
inline constexpr qint64 largest_assessment_file = qint64{16} * 1024 * 1024;

// Text the file cannot carry, as a reason for the user: a TAB or a line break
// inside one of the four one-line fields (reading it back would lose the rest
// of the field), or a line of the notes that reads as the notes' end marker.
// Empty when the file can hold every field.
QString text_the_file_cannot_hold(const TypedFields& fields);

struct WrittenFile {
    QByteArray bytes;
    QString error; // why the assessment cannot be written; empty when it can

    bool ok() const { return error.isEmpty(); }
};

// Fails when the fields hold text the file cannot carry, when a start time
// of an edited file is no time of day, or when the file would be larger than
// the reader takes.
WrittenFile write_assessment(const TypedFields& fields, const TestData& data,
                             TextEncoding encoding = TextEncoding::windows_1252);

struct ReadFailure {
    int line = 0; // 0 when the file as a whole could not be read
    QString reason;
};

struct ReadResult {
    AssessmentRecord record;
    std::optional<ReadFailure> failure;
    QByteArray content_hash; // of the bytes read, by read_assessment_file

    bool ok() const { return !failure; }
};

// Reads the whole file or nothing. Text with a UTF-8 byte-order mark is
// UTF-8; text that is valid UTF-8 with multi-byte sequences is too (the
// Windows-1252 text of real names practically never is); the rest is
// Windows-1252. Every reading and typed field comes from
// the file; the date fields of the three start times, which the file does not
// hold, are taken from `current`. Labels, titles and the begin-notes marker
// are not checked; lines may also end with a bare LF.
ReadResult read_assessment(QByteArrayView bytes, const TestData& current);

// Reads regular files of up to largest_assessment_file bytes only: a pipe or
// a device is refused at once, without waiting for it.
ReadResult read_assessment_file(const QString& path, const TestData& current);

// A hash of a file's bytes that tells one content from another.
QByteArray content_hash(QByteArrayView bytes);

// Writes through a temporary file that replaces the old one only when all is
// written and flushed to the disk, so a failure leaves any earlier file whole.
// Returns the system's reason on failure.
std::optional<QString> save_assessment_file(const QString& path, const QByteArray& bytes);

// "line 14: expected a clock time such as 9:05:07:042, found "9:05:07"", or
// the system's reason when the file could not be read at all.
QString describe_read_failure(const ReadFailure& failure);

} // namespace tavo

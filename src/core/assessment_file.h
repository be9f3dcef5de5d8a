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
};

struct WrittenFile {
    QByteArray bytes;
    QString error; // why the assessment cannot be written; empty when it can

    bool ok() const { return error.isEmpty(); }
};

// Fails only when a time cannot be held in 32 bits (a start time of an edited
// file, or an event too far from its test's start).
WrittenFile write_assessment(const TypedFields& fields, const TestData& data);

struct ReadFailure {
    int line = 0; // 0 when the file as a whole could not be read
    QString reason;
};

struct ReadResult {
    AssessmentRecord record;
    std::optional<ReadFailure> failure;

    bool ok() const { return !failure; }
};

// Reads the whole file or nothing. Every reading and typed field comes from
// the file; the date fields of the three start times, which the file does not
// hold, are taken from `current`. Labels, titles and the begin-notes marker
// are not checked; lines may also end with a bare LF.
ReadResult read_assessment(QByteArrayView bytes, const TestData& current);

// A complete assessment is under 2 KB plus its notes; a larger file is no
// assessment, and reading it whole could exhaust the memory.
inline constexpr qint64 largest_assessment_file = qint64{1024} * 1024;

// Reads regular files of up to largest_assessment_file bytes only: a pipe or
// a device is refused at once, without waiting for it.
ReadResult read_assessment_file(const QString& path, const TestData& current);

// Writes through a temporary file that replaces the old one only when all is
// written and flushed to the disk, so a failure leaves any earlier file whole.
// Returns the system's reason on failure.
std::optional<QString> save_assessment_file(const QString& path, const QByteArray& bytes);

// "line 14: expected a clock time such as 9:05:07:042, found "9:05:07"", or
// the system's reason when the file could not be read at all.
QString describe_read_failure(const ReadFailure& failure);

} // namespace tavo

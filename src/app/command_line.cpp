#include "command_line.h"

#include "assessment_file.h"
#include "data_files.h"
#include "output_clash.h"
#include "results.h"
#include "summary_csv.h"
#include "terminal_text.h"
#include "trial_csv.h"
#include "version.h"
#include "whole_file.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>
#include <cstring>

namespace tavo {

namespace {

// A line on stderr about a file. Names and lines of a damaged file reach the
// terminal with their control characters shown, never acted on.
void report(QTextStream& err, const QString& path, const QString& message) {
    err << "tavo: " << terminal_file_name(path) << ": " << terminal_text(message) << '\n';
}

// Reads an assessment file, or says on stderr why it cannot.
std::optional<AssessmentRecord> read_or_report(const QString& path, QTextStream& err) {
    ReadResult read = read_assessment_file(path, TestData{});
    if (!read.ok()) {
        report(err, path, describe_read_failure(*read.failure));
        return std::nullopt;
    }
    return std::move(read.record);
}

int print_summary(const QString& path, QTextStream& out, QTextStream& err) {
    const std::optional<AssessmentRecord> record = read_or_report(path, err);
    if (!record) {
        return exit_unreadable_file;
    }
    // The captions a line each, an empty caption an empty line: the lines
    // of the sheet's three sections.
    const TestResults results = test_results(record->data);
    QStringList lines = timed_test_captions(results.activation);
    lines << timed_test_captions(results.release) << repetition_captions(results);
    for (const QString& line : lines) {
        out << line << '\n';
    }
    return exit_ok;
}

int print_sheet_pdf(const QString& path, const QString& pdf_path, bool with_details,
                    const SheetPdfWriter& write_sheet_pdf, QTextStream& err) {
    const std::optional<AssessmentRecord> record = read_or_report(path, err);
    if (!record) {
        return exit_unreadable_file;
    }
    if (const std::optional<QString> failure = write_sheet_pdf(*record, pdf_path, with_details)) {
        report(err, pdf_path,
               *failure + QStringLiteral("; any earlier file of that name is unchanged"));
        return exit_unwritable_file;
    }
    return exit_ok;
}

using CsvMaker = QByteArray (*)(const std::vector<ExportedAssessment>&);

// Every file is read before anything is written, so a damaged file among many
// leaves no partial export behind.
int export_csv(const QString& csv_path, const QStringList& paths, CsvMaker make_csv,
               QTextStream& err) {
    std::vector<ExportedAssessment> assessments;
    for (const QString& path : paths) {
        const std::optional<AssessmentRecord> record = read_or_report(path, err);
        if (!record) {
            return exit_unreadable_file;
        }
        assessments.push_back(
            {QFileInfo(path).fileName(), record->fields, record->data, RunErrors{}});
    }
    if (const std::optional<QString> failure =
            replace_whole_file(csv_path, make_csv(assessments))) {
        report(err, csv_path,
               *failure + QStringLiteral("; any earlier file of that name is unchanged"));
        return exit_unwritable_file;
    }
    return exit_ok;
}

constexpr char clock_log_option[] = "--clock-log";
constexpr char clock_log_prefix[] = "--clock-log=";
constexpr char switch_sends_option[] = "--switch-sends";
constexpr char switch_sends_prefix[] = "--switch-sends=";

// The short forms that --help lists: -h for help, -v for the version.
bool is_short_console_option(const char* argument) {
    return std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "-v") == 0;
}

int usage_error(const QString& message, QTextStream& err) {
    err << "tavo: " << terminal_text(message) << "\nTry 'tavo --help' for more information.\n";
    return exit_usage;
}

QString quoted_argument(const QString& argument) {
    return QLatin1Char('\'') + argument + QLatin1Char('\'');
}

// An output that would replace one of the inputs or any assessment file is a
// slip of the command line: it is refused before anything is read or written.
std::optional<QString> export_slip(const char* option, const QString& csv_path,
                                   const QStringList& paths) {
    const QString named = QStringLiteral("the CSV file to write, %1 (the first name after %2),")
                              .arg(quoted_argument(csv_path), QString::fromLatin1(option));
    switch (output_clash(csv_path, paths)) {
    case OutputClash::none:
        return std::nullopt;
    case OutputClash::is_an_input:
        return named + QStringLiteral(" is also one of the assessment files to read");
    case OutputClash::is_an_assessment:
        return named + QStringLiteral(" is an existing assessment file; was the CSV file's name "
                                      "left out? Nothing was written");
    }
    return std::nullopt;
}

std::optional<QString> sheet_slip(const QString& path, const QString& pdf_path) {
    const QString named = QStringLiteral("the PDF file to write, %1 (the name after the "
                                         "assessment file),")
                              .arg(quoted_argument(pdf_path));
    switch (output_clash(pdf_path, {path})) {
    case OutputClash::none:
        return std::nullopt;
    case OutputClash::is_an_input:
        return named + QStringLiteral(" is the assessment file to read");
    case OutputClash::is_an_assessment:
        return named + QStringLiteral(" is an existing assessment file; nothing was written");
    }
    return std::nullopt;
}

} // namespace

QString command_line_text(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

bool names_assessment_file(const QString& command_line) {
    if (command_line.isEmpty()) {
        return false;
    }
    const QString last_piece = command_line.mid(command_line.lastIndexOf(QLatin1Char('.')) + 1);
    return last_piece.toUpper() == QLatin1String("TAVO");
}

bool wants_console(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if ((std::strcmp(argv[i], clock_log_option) == 0 ||
             std::strcmp(argv[i], switch_sends_option) == 0) &&
            i + 1 < argc) {
            ++i; // its value, whatever it is
            continue;
        }
        if (std::strncmp(argv[i], clock_log_prefix, std::strlen(clock_log_prefix)) == 0 ||
            std::strncmp(argv[i], switch_sends_prefix, std::strlen(switch_sends_prefix)) == 0) {
            continue;
        }
        if (std::strncmp(argv[i], "--", 2) == 0 || is_short_console_option(argv[i])) {
            return true;
        }
    }
    return false;
}

bool console_draws(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--sheet-pdf") == 0 ||
            std::strncmp(argv[i], "--sheet-pdf=", 12) == 0) {
            return true;
        }
    }
    return false;
}

WindowOptions window_options(const QStringList& arguments) {
    WindowOptions options;
    const QString option = QLatin1String(clock_log_option);
    const QString prefix = QLatin1String(clock_log_prefix);
    const QString sends_option = QLatin1String(switch_sends_option);
    const QString sends_prefix = QLatin1String(switch_sends_prefix);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (i > 0 && argument == option && i + 1 < arguments.size()) {
            options.clock_log = arguments.at(++i);
        } else if (i > 0 && argument.startsWith(prefix)) {
            options.clock_log = argument.mid(prefix.size());
        } else if (i > 0 && argument == sends_option && i + 1 < arguments.size()) {
            options.switch_sends = arguments.at(++i);
        } else if (i > 0 && argument.startsWith(sends_prefix)) {
            options.switch_sends = argument.mid(sends_prefix.size());
        } else {
            options.arguments.append(argument);
        }
    }
    return options;
}

namespace {

int run_options(const QStringList& arguments, QTextStream& out, QTextStream& err,
                const SheetPdfWriter& write_sheet_pdf) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Timed assessment of how well a person operates a single access switch.\n"
                       "Without options TAVO opens its window; a command line that ends in "
                       "\".tavo\" opens that assessment file."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption summary(
        QStringLiteral("summary"),
        QStringLiteral("Print the result lines of the Test Results tab for <file>: seven, "
                       "and a line under a test with unrecorded trials."),
        QStringLiteral("file"));
    parser.addOption(summary);
    const QCommandLineOption sheet_pdf(
        QStringLiteral("sheet-pdf"),
        QStringLiteral("Write the results sheet of <file> as a PDF file: tavo --sheet-pdf "
                       "FILE.tavo OUT.pdf."),
        QStringLiteral("file"));
    parser.addOption(sheet_pdf);
    const QCommandLineOption details(
        QStringLiteral("details"),
        QStringLiteral("With --sheet-pdf: follow the sheet with a page of every trial."));
    parser.addOption(details);
    const QCommandLineOption export_csv_option(
        QStringLiteral("export-csv"),
        QStringLiteral("Write every trial of one or more assessments into one CSV file: tavo "
                       "--export-csv OUT.csv FILE.tavo [FILE.tavo ...]."),
        QStringLiteral("csv-file"));
    parser.addOption(export_csv_option);
    const QCommandLineOption export_summary_option(
        QStringLiteral("export-csv-summary"),
        QStringLiteral("Write the figures of each test (trials, mean, median, standard deviation, "
                       "coefficient of variation, fastest, slowest; the intervals between the "
                       "repetition clicks) of one or more assessments into one CSV file, a row "
                       "per test per file: tavo --export-csv-summary OUT.csv FILE.tavo "
                       "[FILE.tavo ...]."),
        QStringLiteral("csv-file"));
    parser.addOption(export_summary_option);
    // Taken by main(), which needs the display for it; listed here for --help.
    parser.addOption(QCommandLineOption(
        QStringLiteral("timing-check"),
        QStringLiteral("Print which stamp sources this build has and this session uses: where "
                       "the stimulus onsets (present, damage, servertime, delivery) and the "
                       "presses come from.")));
    const QCommandLineOption data_dir(
        QStringLiteral("data-dir"),
        QStringLiteral("Print the folder of the help and the sounds and whether each is found."));
    parser.addOption(data_dir);
    // Taken by the window (see window_options); listed here for --help.
    const QCommandLineOption clock_log(
        QStringLiteral("clock-log"),
        QStringLiteral("Open the window and append each clock reading of the tests, as it is "
                       "taken, to <file>: one line \"test event trial ms microseconds\"."),
        QStringLiteral("file"));
    parser.addOption(clock_log);
    const QCommandLineOption switch_sends(
        QStringLiteral("switch-sends"),
        QStringLiteral(
            "Open the window with the switch sending <what>: mouse (the left button, "
            "the default), space, enter or any (every key but those pressed with Ctrl or "
            "Alt). The Options menu changes it."),
        QStringLiteral("what"));
    parser.addOption(switch_sends);

    if (!parser.parse(arguments)) {
        return usage_error(parser.errorText(), err);
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return exit_ok;
    }
    if (parser.isSet(version)) {
        out << application_title << ' ' << version_text << '\n';
        return exit_ok;
    }
    if (parser.isSet(sheet_pdf) && write_sheet_pdf) {
        if (parser.positionalArguments().size() != 1) {
            return usage_error(QStringLiteral("--sheet-pdf needs the assessment file and the PDF "
                                              "file to write"),
                               err);
        }
        const QString pdf_path = parser.positionalArguments().constFirst();
        if (const std::optional<QString> slip = sheet_slip(parser.value(sheet_pdf), pdf_path)) {
            return usage_error(*slip, err);
        }
        return print_sheet_pdf(parser.value(sheet_pdf), pdf_path, parser.isSet(details),
                               write_sheet_pdf, err);
    }
    if (parser.isSet(details)) {
        return usage_error(QStringLiteral("--details goes with --sheet-pdf"), err);
    }
    if (parser.isSet(export_csv_option)) {
        if (parser.positionalArguments().isEmpty()) {
            return usage_error(
                QStringLiteral("--export-csv needs the CSV file and at least one assessment file"),
                err);
        }
        const QString csv_path = parser.value(export_csv_option);
        if (const std::optional<QString> slip =
                export_slip("--export-csv", csv_path, parser.positionalArguments())) {
            return usage_error(*slip, err);
        }
        return export_csv(csv_path, parser.positionalArguments(), &trial_csv, err);
    }
    if (parser.isSet(export_summary_option)) {
        if (parser.positionalArguments().isEmpty()) {
            return usage_error(QStringLiteral("--export-csv-summary needs the CSV file and at "
                                              "least one assessment file"),
                               err);
        }
        const QString csv_path = parser.value(export_summary_option);
        if (const std::optional<QString> slip =
                export_slip("--export-csv-summary", csv_path, parser.positionalArguments())) {
            return usage_error(*slip, err);
        }
        return export_csv(csv_path, parser.positionalArguments(), &summary_csv, err);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usage_error(QStringLiteral("unexpected argument '%1'")
                               .arg(parser.positionalArguments().constFirst()),
                           err);
    }
    if (parser.isSet(data_dir)) {
        return report_data_files(out, &terminal_file_name);
    }
    if (!parser.isSet(summary)) {
        return usage_error(QStringLiteral("nothing to do"), err);
    }
    return print_summary(parser.value(summary), out, err);
}

} // namespace

// What a command prints is its work: output that did not reach its file (a
// full disk, a closed standard output) is a failure, never exit 0.
int run_console(const QStringList& arguments, QTextStream& out, QTextStream& err,
                const SheetPdfWriter& write_sheet_pdf) {
    const int status = run_options(arguments, out, err, write_sheet_pdf);
    out.flush();
    if (out.status() == QTextStream::Ok) {
        return status;
    }
    const QIODevice* device = out.device();
    const QString reason = device != nullptr && !device->errorString().isEmpty()
                               ? device->errorString()
                               : QStringLiteral("the output could not be written");
    err << "tavo: standard output: " << terminal_text(reason) << '\n';
    err.flush();
    return exit_unwritable_file;
}

} // namespace tavo

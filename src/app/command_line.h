// What the program does with its arguments. Without an argument that starts
// with "--", TAVO opens its window, and a command line that names a ".tavo"
// file opens that file. With one, it works without a window: --help,
// --version, --summary FILE, which prints the results of an assessment, or
// --export-csv OUT FILE..., which writes the trials of assessments as CSV, or
// --export-csv-summary OUT FILE..., which writes the figures of each test.
#pragma once

#include "assessment_file.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QTextStream;

namespace tavo {

// Exit statuses of the work without a window.
inline constexpr int exit_ok = 0;
inline constexpr int exit_usage = 1;
inline constexpr int exit_unreadable_file = 2;
inline constexpr int exit_unwritable_file = 3;

// The arguments after the program's own name, joined by single blanks. The
// shell has already taken away any quotes around a path.
QString command_line_text(const QStringList& arguments);

// True when the text after the last "." of the command line is "tavo" in any
// letter case; with no "." at all, the whole command line is that text.
bool names_assessment_file(const QString& command_line);

// True when an argument (after the program's own name) starts with "--" or is
// one of the short forms -h and -v, other than the window's own options --clock-log FILE and
// --switch-sends WHAT (or --clock-log=FILE, --switch-sends=WHAT).
bool wants_console(int argc, const char* const* argv);

// What the window takes from its arguments: the file its tests append their
// clock readings to (empty for none), what the switch sends (empty for the
// default, the mouse), and the other arguments, the program's own name first.
struct WindowOptions {
    QString clock_log;
    QString switch_sends;
    QStringList arguments;
};
WindowOptions window_options(const QStringList& arguments);

// Carries out the options in `arguments` (the program's own name first) and
// returns the exit status. Needs a QCoreApplication, not a window system.
// Writes the results sheet of an assessment as a PDF file, with a page of
// trial details when asked; returns why it could not, or nothing. Drawing
// needs fonts, so the program hands it in.
using SheetPdfWriter = std::function<std::optional<QString>(
    const AssessmentRecord& record, const QString& pdf_path, bool with_details)>;

// True when the console work draws (the results sheet as PDF) and so needs a
// graphical application, though no display.
bool console_draws(int argc, const char* const* argv);

int run_console(const QStringList& arguments, QTextStream& out, QTextStream& err,
                const SheetPdfWriter& write_sheet_pdf = {});

} // namespace tavo

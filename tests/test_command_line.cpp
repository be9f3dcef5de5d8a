// The command line: which command lines open a file at start, and the real
// program's work without a window (--help, --version, --summary), run as the
// user would run it, on a system without a display.
#include "command_line.h"
#include "file_names.h"
#include "sample_assessments.h"
#include "small_tmpfs.h"
#include "terminal_text.h"
#include "whole_file.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavo;
using namespace tavo::testing;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the real program in `folder`. A program that hangs (on a pipe, say) is
// stopped and reported rather than holding up the suite.
Run run_tavo(const QStringList& arguments, const QString& folder = QString()) {
    QProcess program;
    program.setWorkingDirectory(folder);
    program.start(QStringLiteral(TAVO_PROGRAM), arguments);
    constexpr int hang_guard_ms = 120'000;
    if (!program.waitForFinished(hang_guard_ms)) {
        program.kill();
        program.waitForFinished(-1);
        return {-1, {}, "still running: it waits for something that never comes"};
    }
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            program.readAllStandardOutput(), program.readAllStandardError()};
}

QByteArray content_of(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool write_file(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outputs_and_printed_values_are_checked_data();
    void outputs_and_printed_values_are_checked();
    void names_assessment_file_data();
    void names_assessment_file();
    void arguments_are_joined_by_single_blanks();
    void program_without_a_window_data();
    void program_without_a_window();
    void sheet_pdf_is_written_without_a_display();
    void sheet_details_follow_on_a_page_of_their_own_data();
    void sheet_details_follow_on_a_page_of_their_own();
    void export_joins_the_trials_of_several_files();
    void summary_export_has_a_row_per_test_per_file();
    void terminal_text_shows_control_characters();
    void hostile_inputs_are_refused_data();
    void hostile_inputs_are_refused();
    void command_line_slips_are_refused_data();
    void command_line_slips_are_refused();
    void full_disk_keeps_the_earlier_output_data();
    void full_disk_keeps_the_earlier_output();
    void names_that_are_not_text_data();
    void names_that_are_not_text();
};

void TestCommandLine::names_assessment_file_data() {
    QTest::addColumn<QString>("command_line");
    QTest::addColumn<bool>("opens");
    QTest::newRow("windows path") << R"(C:\data\smith.tavo)" << true;
    QTest::newRow("letter case ignored") << R"(C:\data\smith.TaVo)" << true;
    QTest::newRow("unix path") << "/home/ann/smith.tavo" << true;
    QTest::newRow("path with blanks") << "/home/ann/my files/smith.tavo" << true;
    QTest::newRow("path in double quotes") << R"("C:\data\smith.tavo")" << false;
    QTest::newRow("text after the extension") << R"(C:\data\smith.tavo /print)" << false;
    QTest::newRow("dot only in a folder name") << R"(C:\my.tavo\file)" << false;
    QTest::newRow("another extension after it") << "smith.tavo.bak" << false;
    QTest::newRow("empty command line") << "" << false;
    QTest::newRow("no dot: the whole line is the last piece") << "tavo" << true;
}

void TestCommandLine::names_assessment_file() {
    QFETCH(QString, command_line);
    QTEST(tavo::names_assessment_file(command_line), "opens");
}

void TestCommandLine::arguments_are_joined_by_single_blanks() {
    QCOMPARE(command_line_text({"tavo", R"(C:\my)", R"(files\smith.tavo)"}),
             QStringLiteral(R"(C:\my files\smith.tavo)"));
    QCOMPARE(command_line_text({"tavo"}), QString());
    const char* const with_option[] = {"tavo", "a.tavo", "--summary"};
    const char* const without[] = {"tavo", "-summary", "a.tavo"};
    QVERIFY(wants_console(3, with_option));
    QVERIFY(!wants_console(3, without));
    const char* const short_help[] = {"tavo", "-h"};
    const char* const short_version[] = {"tavo", "smith.tavo", "-v"};
    const char* const single_dash_file[] = {"tavo", "-vh.tavo"};
    QVERIFY(wants_console(2, short_help));
    QVERIFY(wants_console(3, short_version));
    QVERIFY(!wants_console(2, single_dash_file));
    // The clock log is the window's option, its file whatever its name.
    const char* const clock_log[] = {"tavo", "--clock-log", "--odd name", "--clock-log=b"};
    QVERIFY(!wants_console(4, clock_log));
    const char* const clock_log_alone[] = {"tavo", "--clock-log"};
    QVERIFY(wants_console(2, clock_log_alone));
    const char* const switch_sends[] = {"tavo", "--switch-sends", "space", "--switch-sends=any"};
    QVERIFY(!wants_console(4, switch_sends));
    const WindowOptions options =
        window_options({"tavo", "--clock-log", "r.log", "--switch-sends", "enter", "smith.tavo"});
    QCOMPARE(options.clock_log, QStringLiteral("r.log"));
    QCOMPARE(options.switch_sends, QStringLiteral("enter"));
    QCOMPARE(options.arguments, QStringList({"tavo", "smith.tavo"}));
}

void TestCommandLine::program_without_a_window_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("summary of three tests")
        << QStringList{"--summary", sample_path("three_tests.tavo")} << 0
        << "Average Response Time: 00:00.345\nFastest = 00:00.300\nSlowest = 00:00.390\n"
           "Average Response Time: 00:00.490\nFastest = 00:00.400\nSlowest = 00:00.580\n"
           "Time For 5 Clicks: 00:00.950\n"
        << "";
    QTest::newRow("summary of a partly recorded test")
        << QStringList{"--summary", sample_path("partly_recorded.tavo")} << 0
        << "Average Response Time: 00:00.320\nFastest = 00:00.300\nSlowest = 00:00.340\n"
           "5 of 10 trials recorded\n"
           "Average Response Time: 00:00.490\nFastest = 00:00.400\nSlowest = 00:00.580\n"
           "Time For 5 Clicks: 00:00.950\n4 of 5 clicks recorded\n"
        << "";
    QTest::newRow("summary of no test")
        << QStringList{"--summary=" + sample_path("no_tests.tavo")} << 0
        << "Test Not Completed\n\n\nTest Not Completed\n\n\nTest Not Completed\n"
        << "";
    QTest::newRow("summary of a damaged file")
        << QStringList{"--summary", sample_path("damaged_line14.tavo")} << 2 << ""
        << "tavo: " + sample_path("damaged_line14.tavo") +
               ": line 14: expected a clock time such as 9:05:07:042, found \"9:05:07\"\n";
    QTest::newRow("summary of a missing file")
        << QStringList{"--summary", sample_path("missing.tavo")} << 2 << ""
        << "tavo: " + sample_path("missing.tavo") + ": ";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "TAVO 1.0\n"
                             << "";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "--summary <file>"
                          << "";
    // The short forms open no window either: this platform could not show one.
    QTest::newRow("short version") << QStringList{"-v"} << 0 << "TAVO 1.0\n"
                                   << "";
    QTest::newRow("short help") << QStringList{"-h"} << 0 << "--summary <file>"
                                << "";
    QTest::newRow("short version before a file")
        << QStringList{"-v", sample_path("three_tests.tavo")} << 0 << "TAVO 1.0\n"
        << "";
    QTest::newRow("unknown option") << QStringList{"--print"} << 1 << ""
                                    << "tavo: Unknown option 'print'.\nTry 'tavo --help'";
    QTest::newRow("summary without a file") << QStringList{"--summary"} << 1 << ""
                                            << "tavo: Missing value after '--summary'.";
    QTest::newRow("clock log without a file") << QStringList{"--clock-log"} << 1 << ""
                                              << "tavo: Missing value after '--clock-log'.";
    QTest::newRow("sheet of a damaged file")
        << QStringList{"--sheet-pdf", sample_path("damaged_line14.tavo"), "out.pdf"} << 2 << ""
        << "line 14: expected a clock time such as 9:05:07:042";
    QTest::newRow("sheet without its PDF file")
        << QStringList{"--sheet-pdf", sample_path("three_tests.tavo")} << 1 << ""
        << "tavo: --sheet-pdf needs the assessment file and the PDF file to write";
    QTest::newRow("export without an assessment file")
        << QStringList{"--export-csv", "out.csv"} << 1 << ""
        << "tavo: --export-csv needs the CSV file and at least one assessment file";
    QTest::newRow("export with a damaged file")
        << QStringList{"--export-csv", "out.csv", sample_path("three_tests.tavo"),
                       sample_path("damaged_line14.tavo")}
        << 2 << ""
        << "damaged_line14.tavo: line 14: expected a clock time";
    QTest::newRow("summary export without an assessment file")
        << QStringList{"--export-csv-summary", "out.csv"} << 1 << ""
        << "tavo: --export-csv-summary needs the CSV file and at least one assessment file";
    QTest::newRow("summary export with a damaged file")
        << QStringList{"--export-csv-summary", "out.csv", sample_path("damaged_line14.tavo")} << 2
        << ""
        << "damaged_line14.tavo: line 14: expected a clock time";
    QTest::newRow("details without a sheet")
        << QStringList{"--details", "--summary", sample_path("three_tests.tavo")} << 1 << ""
        << "tavo: --details goes with --sheet-pdf";
    QTest::newRow("a second file") << QStringList{"--summary", "a.tavo", "b.tavo"} << 1 << ""
                                   << "tavo: unexpected argument 'b.tavo'";
}

// Texts that end in a line break must match in full; others must appear in the output.
void TestCommandLine::program_without_a_window() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A window system would fail to start on this platform; none is needed.
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAVO_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(-1));
    const QString stdout_text = QString::fromUtf8(program.readAllStandardOutput());
    const QString stderr_text = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    auto matches = [](const QString& actual, const QString& expected) {
        return expected.endsWith(u'\n') || expected.isEmpty() ? actual == expected
                                                              : actual.contains(expected);
    };
    QVERIFY2(matches(stdout_text, out), qPrintable(stdout_text));
    QVERIFY2(matches(stderr_text, err), qPrintable(stderr_text));
}

void TestCommandLine::sheet_pdf_is_written_without_a_display() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    QProcess program;
    program.start(QStringLiteral(TAVO_PROGRAM),
                  {QStringLiteral("--sheet-pdf"), sample_path("three_tests.tavo"), pdf});
    QVERIFY(program.waitForFinished(-1));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardError(), QByteArray());
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

// The sheet's own page stays as it is; the details come on a second page.
void TestCommandLine::sheet_details_follow_on_a_page_of_their_own_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("sheet");   // texts on the sheet
    QTest::addColumn<QStringList>("details"); // texts on the page of details
    QTest::addColumn<QString>("row");         // a trial's row there
    QTest::newRow("three tests") << "three_tests.tavo" << QStringList{"Fastest = 00:00.300"}
                                 << QStringList{"Average 345 ms", "Average 490 ms"}
                                 << "\\b10\\s+580\\b";
    QTest::newRow("five trials not recorded")
        << "partly_recorded.tavo"
        << QStringList{"Average Response Time: 00:00.320", "Fastest = 00:00.300",
                       "5 of 10 trials recorded", "4 of 5 clicks recorded"}
        << QStringList{"Average 320 ms", "5 of 10 recorded", "Average 490 ms", "4 of 5 recorded"}
        << "\\b6\\s+not recorded\\b";
}

void TestCommandLine::sheet_details_follow_on_a_page_of_their_own() {
    QFETCH(QString, file);
    QFETCH(QStringList, sheet);
    QFETCH(QStringList, details);
    QFETCH(QString, row);
    QTemporaryDir dir;
    auto pages_of = [&](const QStringList& options) -> QStringList {
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        QProcess program;
        program.start(QStringLiteral(TAVO_PROGRAM),
                      QStringList{QStringLiteral("--sheet-pdf"), sample_path(file), pdf} + options);
        if (!program.waitForFinished(-1) || program.exitCode() != 0) {
            return {};
        }
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!pdftotext.waitForFinished(-1) || pdftotext.exitCode() != 0) {
            qWarning("pdftotext (poppler-utils) is needed to read the sheet back");
            return {};
        }
        QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        // The footer holds the minute of printing, which may differ between runs.
        text.remove(QRegularExpression(QStringLiteral("Printed on [^\n]*")));
        text.chop(text.endsWith(u'\f') ? 1 : 0);
        return text.split(u'\f');
    };
    const QStringList plain = pages_of({});
    const QStringList detailed = pages_of({QStringLiteral("--details")});
    QCOMPARE(plain.size(), 1);
    QCOMPARE(detailed.size(), 2);
    QCOMPARE(detailed[0], plain[0]);
    for (const QString& text : sheet) {
        QVERIFY2(plain[0].contains(text), qPrintable(text));
    }
    for (const QString& text : details + QStringList{"Trial Details", "Activation Test",
                                                     "Release Test", "Repetition Test"}) {
        QVERIFY2(detailed[1].contains(text), qPrintable(text));
    }
    QVERIFY(detailed[1].contains(QRegularExpression(row)));
}

void TestCommandLine::export_joins_the_trials_of_several_files() {
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("trials.csv"));
    QProcess program;
    program.start(QStringLiteral(TAVO_PROGRAM),
                  {QStringLiteral("--export-csv"), csv, sample_path("three_tests.tavo"),
                   sample_path("no_tests.tavo"), sample_path("three_tests_lf.tavo")});
    QVERIFY(program.waitForFinished(-1));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardError(), QByteArray());
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> records = file.readAll().split('\n');
    // The header, 25 trials of each tested file, and the empty text after the end.
    QCOMPARE(records.size(), 1 + 25 + 25 + 1);
    QVERIFY(records[1].startsWith("three_tests.tavo,Ann Example,"));
    QVERIFY(records[26].startsWith("three_tests_lf.tavo,"));
}

void TestCommandLine::summary_export_has_a_row_per_test_per_file() {
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("figures.csv"));
    QProcess program;
    program.start(QStringLiteral(TAVO_PROGRAM),
                  {QStringLiteral("--export-csv-summary"), csv, sample_path("three_tests.tavo"),
                   sample_path("no_tests.tavo"), sample_path("three_tests_lf.tavo")});
    QVERIFY(program.waitForFinished(-1));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardError(), QByteArray());
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"
                             "File,Subject,"));
    const QList<QByteArray> records = bytes.split('\n');
    // The header, three tests of each tested file, and the empty text after
    // the end; the file without tests has no row.
    QCOMPARE(records.size(), 1 + 3 + 3 + 1);
    QVERIFY(records[1].startsWith("three_tests.tavo,Ann Example,"));
    QVERIFY(records[1].contains(",Activation,10,345.0,345.0,30.3,8.8,300,390,"));
    QVERIFY(records[6].startsWith("three_tests_lf.tavo,"));
    QVERIFY(records[6].contains(",Repetition,5,"));
}

void TestCommandLine::terminal_text_shows_control_characters() {
    QCOMPARE(terminal_text(QStringLiteral("a\x1b[2Jb\x07\tc\nd\x7f\u0085 \u00e9")),
             QStringLiteral("a\\x1b[2Jb\\x07\\x09c\\x0ad\\x7f\\x85 \u00e9"));
}

void TestCommandLine::hostile_inputs_are_refused_data() {
    QTest::addColumn<QString>("name"); // made in a temporary folder, or an absolute path
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("err"); // after "tavo: " and the path as the terminal shows it

    const QByteArray good = sample_bytes("three_tests.tavo");
    const QString not_a_file =
        QStringLiteral("It is not an ordinary file but a folder, a device or a pipe\n");
    QTest::newRow("a device without end") << "/dev/zero" << QByteArray() << not_a_file;
    QTest::newRow("a pipe without a writer") << "pipe.tavo" << QByteArray() << not_a_file;
    QTest::newRow("a folder") << "folder.tavo" << QByteArray() << not_a_file;
    QTest::newRow("over 16 MiB")
        << "big.tavo" << good + QByteArray(largest_assessment_file, ' ')
        << "It is larger than 16 MiB (16777216 bytes), far more than any assessment file holds\n";
    QTest::newRow("cut inside the last line")
        << "cut.tavo" << good.chopped(9)
        << "line 66: expected a clock time such as 9:05:07:042, a TAB and a label, found "
           "\"9:20:02:95\" at the end of the file, which seems to be cut off\n";
    QByteArray escapes = good;
    escapes.replace("9:05:08:542\tStimulus", "\x1b]0;owned\x07\x1b[2J\tStimulus");
    QTest::newRow("escape sequences in a line")
        << "escapes.tavo" << escapes
        << "line 15: expected a clock time such as 9:05:07:042, found "
           "\"\\x1b]0;owned\\x07\\x1b[2J\"\n";
    QTest::newRow("escape sequence in the name")
        << "\x1b[31mred.tavo" << good.chopped(9)
        << "line 66: expected a clock time such as 9:05:07:042, a TAB and a label, found "
           "\"9:20:02:95\" at the end of the file, which seems to be cut off\n";
}

// Each is refused at once with the reason, exit status 2, and no control
// character reaches the terminal.
void TestCommandLine::hostile_inputs_are_refused() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, err);
    QTemporaryDir dir;
    const QString path = name.startsWith(u'/') ? name : dir.filePath(name);
    if (name.startsWith(QLatin1String("pipe"))) {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (name.startsWith(QLatin1String("folder"))) {
        QVERIFY(QDir().mkdir(path));
    } else if (!bytes.isEmpty()) {
        QVERIFY(write_file(path, bytes));
    }
    const Run run = run_tavo({QStringLiteral("--summary"), path});
    QCOMPARE(QString::fromUtf8(run.err), "tavo: " + terminal_text(path) + ": " + err);
    QCOMPARE(run.status, exit_unreadable_file);
    QCOMPARE(run.out, QByteArray());
    QVERIFY(!run.err.contains('\x1b') && !run.err.contains('\x07'));
}

void TestCommandLine::command_line_slips_are_refused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QString>("written"); // a file the program writes, or empty

    const QString csv_named =
        QStringLiteral("tavo: the CSV file to write, '%1' (the first name after --export-csv), ");
    const QString pdf_named =
        QStringLiteral("tavo: the PDF file to write, '%1' (the name after the assessment file), ");
    QTest::newRow("CSV name left out")
        << QStringList{"--export-csv", "visit1.tavo", "visit2.tavo"} << 1
        << csv_named.arg("visit1.tavo") +
               "is an existing assessment file; was the CSV file's name left out? Nothing was "
               "written\n"
        << "";
    QTest::newRow("CSV over one of its inputs")
        << QStringList{"--export-csv", "visit2.tavo", "visit1.tavo", "visit2.tavo"} << 1
        << csv_named.arg("visit2.tavo") + "is also one of the assessment files to read\n"
        << "";
    QTest::newRow("CSV over an input spelled another way")
        << QStringList{"--export-csv", "./sub/../notes.txt", "visit1.tavo", "notes.txt"} << 1
        << csv_named.arg("./sub/../notes.txt") + "is also one of the assessment files to read\n"
        << "";
    QTest::newRow("assessment in capitals")
        << QStringList{"--export-csv", "VISIT3.TAVO", "visit1.tavo"} << 1
        << csv_named.arg("VISIT3.TAVO") +
               "is an existing assessment file; was the CSV file's name left out? Nothing was "
               "written\n"
        << "";
    QTest::newRow("PDF over its own assessment")
        << QStringList{"--sheet-pdf", "visit1.tavo", "visit1.tavo"} << 1
        << pdf_named.arg("visit1.tavo") + "is the assessment file to read\n"
        << "";
    QTest::newRow("PDF over another assessment")
        << QStringList{"--sheet-pdf", "visit1.tavo", "visit2.tavo"} << 1
        << pdf_named.arg("visit2.tavo") + "is an existing assessment file; nothing was written\n"
        << "";
    QTest::newRow("assessment saved without the extension")
        << QStringList{"--export-csv", "visit", "visit1.tavo"} << 1
        << csv_named.arg("visit") +
               "is an existing assessment file; was the CSV file's name left out? Nothing was "
               "written\n"
        << "";
    QTest::newRow("CSV over an input named through a link")
        << QStringList{"--export-csv", "link.csv", "visit1.tavo"} << 1
        << csv_named.arg("link.csv") + "is also one of the assessment files to read\n"
        << "";
    QTest::newRow("PDF over an assessment saved without the extension")
        << QStringList{"--sheet-pdf", "visit1.tavo", "visit"} << 1
        << pdf_named.arg("visit") + "is an existing assessment file; nothing was written\n"
        << "";
    QTest::newRow("CSV named like a PDF is the user's choice")
        << QStringList{"--export-csv", "trials.pdf", "visit1.tavo"} << 0 << ""
        << "trials.pdf";
    QTest::newRow("a new assessment name is no assessment yet")
        << QStringList{"--sheet-pdf", "visit1.tavo", "sheet.tavo"} << 0 << ""
        << "sheet.tavo";
}

// The usage message ends with the pointer to --help; the part before it
// names the argument that looks wrong. No assessment changes.
void TestCommandLine::command_line_slips_are_refused() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, err);
    QFETCH(QString, written);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QStringList inputs = {"visit1.tavo", "visit2.tavo", "VISIT3.TAVO", "notes.txt", "visit"};
    for (const QString& name : inputs) {
        QVERIFY(QFile::copy(sample_path("three_tests.tavo"), dir.filePath(name)));
    }
    QVERIFY(QFile::link(dir.filePath("visit1.tavo"), dir.filePath("link.csv")));
    const Run run = run_tavo(arguments, dir.path());
    QCOMPARE(run.status, status);
    const QString shown = QString::fromUtf8(run.err);
    QCOMPARE(shown.section(u'\n', 0, 0) + (shown.isEmpty() ? "" : "\n"), err);
    for (const QString& name : inputs) {
        QCOMPARE(content_of(dir.filePath(name)), sample_bytes("three_tests.tavo"));
    }
    if (!written.isEmpty()) {
        QVERIFY(QFileInfo(dir.filePath(written)).size() > 0);
    }
}

void TestCommandLine::full_disk_keeps_the_earlier_output_data() {
    QTest::addColumn<QString>("option");
    QTest::newRow("CSV export") << "--export-csv";
    QTest::newRow("results sheet as PDF") << "--sheet-pdf";
}

// A full disk fails the write with the system's reason and exit status 3;
// the file written before stays as it was.
void TestCommandLine::full_disk_keeps_the_earlier_output() {
    QFETCH(QString, option);
    SmallTmpfs disk;
    if (const std::optional<QString> why = disk.mount()) {
        QSKIP(qPrintable(*why));
    }
    const QString output = disk.path(QStringLiteral("output"));
    const QString input = sample_path(QStringLiteral("three_tests.tavo"));
    const QStringList arguments = option == QLatin1String("--export-csv")
                                      ? QStringList{option, output, input}
                                      : QStringList{option, input, output};
    const Run first = run_tavo(arguments);
    QCOMPARE(first.status, exit_ok);
    const QByteArray earlier = content_of(output);
    QVERIFY(earlier.size() > 100);
    QVERIFY(disk.fill() > 0);
    const Run full = run_tavo(arguments);
    QCOMPARE(QString::fromUtf8(full.err),
             "tavo: " + output +
                 ": No space left on device; any earlier file of that name is unchanged\n");
    QCOMPARE(full.status, exit_unwritable_file);
    QCOMPARE(content_of(output), earlier);
}

void TestCommandLine::names_that_are_not_text_data() {
    QTest::addColumn<QString>("arguments"); // for the shell: printf gives the bytes
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QByteArray>("written"); // the name of a file the program writes
    QTest::newRow("summary") << R"sh(--summary "$(printf 'bad\377name.tavo')")sh" << 0 << ""
                             << QByteArray();
    QTest::newRow("CSV to such a name")
        << R"sh(--export-csv "$(printf 'out\377.csv')" visit.tavo)sh" << 0 << ""
        << QByteArray("out\xff.csv");
    QTest::newRow("CSV over such an assessment")
        << R"sh(--export-csv "$(printf 'bad\377name.tavo')" visit.tavo)sh" << 1
        << "tavo: the CSV file to write, 'bad\\xffname.tavo' (the first name after "
           "--export-csv), is an existing assessment file; was the CSV file's name left out? "
           "Nothing was written"
        << QByteArray();
    QTest::newRow("a missing one, shown")
        << R"sh(--summary "$(printf 'gone\376.tavo')")sh" << 2
        << "tavo: gone\\xfe.tavo: No such file or directory" << QByteArray();
}

// A name is the bytes the shell hands over, whatever they are: the file they
// name is read, written or protected, and the bytes that are no text show as
// \xff on the terminal.
void TestCommandLine::names_that_are_not_text() {
    QFETCH(QString, arguments);
    QFETCH(int, status);
    QFETCH(QString, err);
    QFETCH(QByteArray, written);
    QTemporaryDir dir;
    const QByteArray sample = sample_bytes("three_tests.tavo");
    const QString odd_name = dir.path() + QStringLiteral("/bad") + QChar(0xDCFF) + "name.tavo";
    QCOMPARE(replace_whole_file(odd_name, sample), std::nullopt);
    QCOMPARE(replace_whole_file(dir.filePath("visit.tavo"), sample), std::nullopt);
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    shell.start("/bin/sh", {"-c", "exec \"$0\" " + arguments, TAVO_PROGRAM});
    QVERIFY(shell.waitForFinished(120'000));
    QCOMPARE(shell.exitCode(), status);
    QCOMPARE(QString::fromUtf8(shell.readAllStandardError()).section(u'\n', 0, 0), err);
    QCOMPARE(read_whole_file(odd_name, 1 << 20).bytes, sample);
    if (!written.isEmpty()) {
        QVERIFY(read_whole_file(dir.path() + u'/' + file_name_from_bytes(written), 1 << 20)
                    .bytes.startsWith("\xef\xbb\xbf"));
        ::unlink((file_name_bytes(dir.path()) + '/' + written).constData());
    }
    ::unlink(file_name_bytes(odd_name).constData()); // QTemporaryDir cannot remove it
}

void TestCommandLine::outputs_and_printed_values_are_checked_data() {
    QTest::addColumn<QString>("script"); // for sh, in a folder with three.tavo and a FIFO
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("shown"); // in what the program wrote
    const QString stdout_failure = QStringLiteral("tavo: standard output: ");
    QTest::newRow("--summary into a full disk")
        << "\"$TAVO\" --summary three.tavo >/dev/full" << 3 << stdout_failure;
    QTest::newRow("--summary with standard output closed")
        << "\"$TAVO\" --summary three.tavo >&-" << 3 << stdout_failure;
    QTest::newRow("--data-dir into a full disk")
        << "\"$TAVO\" --data-dir >/dev/full" << 3 << stdout_failure;
    QTest::newRow("--help into a full disk")
        << "\"$TAVO\" --help >/dev/full" << 3 << stdout_failure;
    const QString not_a_file = QStringLiteral(
        "cannot open the clock log: it is not an ordinary file but a folder, a device or a pipe");
    QTest::newRow("--clock-log on a FIFO, refused at once")
        << "\"$TAVO\" --clock-log fifo" << 2 << "tavo: fifo: " + not_a_file;
    QTest::newRow("--clock-log on a device")
        << "\"$TAVO\" --clock-log /dev/full" << 2 << "tavo: /dev/full: " + not_a_file;
    QTest::newRow("--clock-log named with escapes")
        << "\"$TAVO\" --clock-log \"$(printf 'no/such\\033[2J')\"" << 2
        << "tavo: no/such\\x1b[2J: cannot open the clock log: No such file or directory";
    QTest::newRow("--switch-sends with escapes")
        << "\"$TAVO\" --switch-sends \"$(printf 'x\\033]0;t\\007')\"" << 1
        << "not 'x\\x1b]0;t\\x07'";
    QTest::newRow("TAVO_DATA_DIR with escapes")
        << "TAVO_DATA_DIR=\"$(printf 'd\\033[2J')\" \"$TAVO\" --data-dir" << 1
        << "Data folder: d\\x1b[2J";
}

// Output that cannot be written fails the command (exit 3); values from the
// command line or the environment reach the terminal escaped, never acted on.
void TestCommandLine::outputs_and_printed_values_are_checked() {
    QFETCH(QString, script);
    QFETCH(int, status);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    QVERIFY(QFile::copy(sample_path("three_tests.tavo"), dir.filePath("three.tavo")));
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600) == 0);
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TAVO"), QStringLiteral(TAVO_PROGRAM));
    shell.setProcessEnvironment(environment);
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), script});
    // A guard against a hang only: a FIFO must be refused long before it.
    QVERIFY(shell.waitForFinished(120'000));
    const QByteArray written = shell.readAllStandardOutput() + shell.readAllStandardError();
    QCOMPARE(shell.exitCode(), status);
    QVERIFY2(QString::fromUtf8(written).contains(shown), written.constData());
    QVERIFY(!written.contains('\x1b') && !written.contains('\x07'));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"

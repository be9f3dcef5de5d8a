// TAVO: timed assessment of how well a person operates a single access switch.
#include "application_switch_input.h"
#include "command_line.h"
#include "data_files.h"
#include "default_window.h"
#include "file_names.h"
#include "frame_presenter.h"
#include "reading_log.h"
#include "sheet_pdf.h"
#include "state_folder.h"
#include "tavo_application.h"
#include "terminal_text.h"
#include "version.h"
#include "wave_sound_player.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>
#include <QTimer>

namespace {

int run_console(int argc, char* argv[]) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!tavo::console_draws(argc, argv)) {
        QCoreApplication console(argc, argv);
        return tavo::run_console(tavo::command_line_arguments(argc, argv), out, err);
    }
    // Drawing the sheet needs fonts, which a graphical application provides;
    // the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Only failures reach the terminal: the platform's notices are no news here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            QTextStream(stderr) << message << '\n';
        }
    });
    QGuiApplication console(argc, argv);
    return tavo::run_console(
        tavo::command_line_arguments(argc, argv), out, err,
        [](const tavo::AssessmentRecord& record, const QString& pdf_path, bool with_details) {
            return tavo::write_sheet_pdf(record.fields, tavo::test_results(record.data), pdf_path,
                                         with_details ? &record.data : nullptr);
        });
}

} // namespace

// Which stamp sources this build has and this session uses: the build's from
// its configuration, the session's from the display system it runs on.
int run_timing_check(int argc, char* argv[]) {
    QTextStream out(stdout);
    out << "display stamps built in: " << tavo::built_display_stamps() << '\n';
    out << "presses and releases: the input system's stamps where plausible, else the clock "
           "read on delivery\n";
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        out << "this session: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n";
        return 0;
    }
    const QApplication app(argc, argv);
    const std::unique_ptr<tavo::FramePresenter> presenter = tavo::make_frame_presenter();
    out << "this session (" << QGuiApplication::platformName() << "): stimulus onsets from "
        << presenter->sources() << '\n';
    return 0;
}

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QString::fromLatin1(tavo::application_title));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tavo::version_text));
    for (int i = 1; i < argc; ++i) {
        if (QByteArrayView(argv[i]) == "--timing-check") {
            return run_timing_check(argc, argv);
        }
    }
    // Options mean work without a window, which needs no display.
    if (tavo::wants_console(argc, argv)) {
        return run_console(argc, argv);
    }
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/tavo_icon.svg")));
    // Lets the desktop match our windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.corvale.Tavo"));
    const tavo::WindowOptions options =
        tavo::window_options(tavo::command_line_arguments(argc, argv));
    std::unique_ptr<tavo::FileReadingLog> clock_log;
    if (!options.clock_log.isEmpty()) {
        QString reason;
        clock_log = tavo::FileReadingLog::open(options.clock_log, reason);
        if (!clock_log) {
            QTextStream(stderr) << "tavo: " << tavo::terminal_file_name(options.clock_log)
                                << ": cannot open the clock log: " << tavo::terminal_text(reason)
                                << '\n';
            return tavo::exit_unreadable_file;
        }
    }
    tavo::ReadingLog& readings = clock_log ? *clock_log : tavo::no_reading_log();
    const std::optional<tavo::SwitchSends> switch_sends = tavo::switch_sends_from_name(
        options.switch_sends.isEmpty() ? QStringLiteral("mouse") : options.switch_sends);
    if (!switch_sends) {
        QTextStream(stderr) << "tavo: --switch-sends takes mouse, space, enter or any, not '"
                            << tavo::terminal_text(options.switch_sends) << "'\n";
        return tavo::exit_usage;
    }

    tavo::DesktopDialogs dialogs;
    tavo::SystemClock clock;
    tavo::SystemRandomSource random;
    tavo::ApplicationSwitchInput switch_input;
    tavo::WaveSoundPlayer sounds;
    sounds.preload(tavo::shipped_sounds());
    tavo::DesktopPrinterDialog printer_dialog;
    const std::unique_ptr<tavo::FramePresenter> presenter = tavo::make_frame_presenter();
    tavo::TavoApplication tavo_app({dialogs, clock, random, switch_input, sounds, printer_dialog,
                                    tavo::precise_timer_factory(), tavo::make_system_info_locator(),
                                    std::make_unique<tavo::SystemProgramLauncher>(), readings,
                                    *presenter,
                                    tavo::state_folder() + QStringLiteral("/recovery")});
    tavo_app.document().set_switch_sends(*switch_sends);
    if (clock_log) {
        // Told once, over the main window, after the test's event is done.
        clock_log->set_failure_handler([&tavo_app, &dialogs](const QString& message) {
            QTimer::singleShot(0, &tavo_app.main_window(), [&tavo_app, &dialogs, message] {
                dialogs.show_message(&tavo_app.main_window(), message);
            });
        });
    }
    tavo_app.start(tavo::command_line_text(options.arguments));
    tavo_app.main_window().show();
    return QApplication::exec();
}

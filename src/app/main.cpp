// TAVO: timed assessment of how well a person operates a single access switch.
#include "application_mouse_hook.h"
#include "command_line.h"
#include "default_window.h"
#include "reading_log.h"
#include "tavo_application.h"
#include "version.h"
#include "wave_sound_player.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QString::fromLatin1(tavo::application_title));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tavo::version_text));
    // Options mean work without a window, which needs no display.
    if (tavo::wants_console(argc, argv)) {
        QCoreApplication console(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return tavo::run_console(QCoreApplication::arguments(), out, err);
    }
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/tavo_icon.svg")));
    // Lets the desktop match our windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.corvale.Tavo"));
    const tavo::WindowOptions options = tavo::window_options(QApplication::arguments());
    std::unique_ptr<tavo::FileReadingLog> clock_log;
    if (!options.clock_log.isEmpty()) {
        clock_log = tavo::FileReadingLog::open(options.clock_log);
        if (!clock_log) {
            QTextStream(stderr) << "tavo: " << options.clock_log << ": cannot open the clock log\n";
            return tavo::exit_unreadable_file;
        }
    }
    tavo::ReadingLog& readings = clock_log ? *clock_log : tavo::no_reading_log();

    tavo::DesktopDialogs dialogs;
    tavo::SystemClock clock;
    tavo::SystemRandomSource random;
    tavo::ApplicationMouseHook hook;
    tavo::WaveSoundPlayer sounds;
    sounds.preload({QStringLiteral("pop.wav"), QStringLiteral("Start.wav"),
                    QStringLiteral("Laser.wav"), QStringLiteral("buzzer.wav"),
                    QStringLiteral("Chord.wav")});
    tavo::DesktopPrinterDialog printer_dialog;
    tavo::TavoApplication tavo_app({dialogs, clock, random, hook, sounds, printer_dialog,
                                    tavo::precise_timer_factory(), tavo::make_system_key_store(),
                                    std::make_unique<tavo::SystemProgramLauncher>(), readings});
    tavo_app.Form_Load(tavo::command_line_text(options.arguments));
    tavo_app.main_window().show();
    return QApplication::exec();
}

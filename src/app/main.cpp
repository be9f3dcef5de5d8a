// TAVO: timed assessment of how well a person operates a single access switch.
#include "application_mouse_hook.h"
#include "command_line.h"
#include "default_window.h"
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

    tavo::DesktopDialogs dialogs;
    tavo::SystemClock clock;
    tavo::SystemRandomSource random;
    tavo::ApplicationMouseHook hook;
    tavo::WaveSoundPlayer sounds;
    sounds.preload({QStringLiteral("pop.wav"), QStringLiteral("Start.wav"),
                    QStringLiteral("Laser.wav"), QStringLiteral("buzzer.wav"),
                    QStringLiteral("Chord.wav")});
    tavo::TavoApplication tavo_app({dialogs, clock, random, hook, sounds,
                                    tavo::precise_timer_factory(), tavo::make_system_key_store(),
                                    std::make_unique<tavo::SystemProgramLauncher>()});
    tavo_app.Form_Load(tavo::command_line_text(QApplication::arguments()));
    tavo_app.main_window().show();
    return QApplication::exec();
}

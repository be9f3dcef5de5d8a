// The whole program put together for GUI tests: the real windows and the real
// switch input, with dialogs the test answers, a clock the test moves, timers
// the test fires and sounds that are only recorded.
#pragma once

#include "about_dialog.h"
#include "application_switch_input.h"
#include "default_window.h"
#include "fake_dialogs.h"
#include "results_printer.h"
#include "tavo_application.h"
#include "trial_fakes.h"

#include <QHash>

namespace tavo::testing {

// Finds the program it was given, or none.
class FixedSystemInfoLocator final : public SystemInfoLocator {
public:
    explicit FixedSystemInfoLocator(std::optional<QString> program)
        : m_program(std::move(program)) {}
    std::optional<QString> locate() const override { return m_program; }

private:
    std::optional<QString> m_program;
};

// Answers the printer dialog: the next number of copies (nullopt is Cancel),
// with or without the trial details, printing into a PDF file of the test's
// choosing.
class FakePrinterDialog final : public PrinterDialog {
public:
    std::deque<std::optional<int>> answers;
    bool include_details = false;
    QString pdf_path;
    QStringList titles;

    std::optional<PrintChoice> choose(QWidget*, QPrinter& printer, const QString& title) override {
        titles << title;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf_path);
        if (answers.empty()) {
            return std::nullopt;
        }
        const std::optional<int> answer = answers.front();
        answers.pop_front();
        if (!answer) {
            return std::nullopt;
        }
        return PrintChoice{*answer, include_details};
    }
};

// The recovery journal of a rig: its folder (none by default, so suites
// that do not look at it leave nothing behind), who answers the start's
// questions, and the command line of the start.
struct RigRecovery {
    QString folder;
    RecoveryQuestions* questions = nullptr;
    QString command_line;
};

struct AppRig {
    QStringList log;
    FakeDialogs dialogs;
    FakeClock clock{log};
    FakeRandom random;
    ApplicationSwitchInput switch_input;
    RecordingSounds sounds{log};
    FakePrinterDialog printer_dialog;
    // The timers the windows made, by name; the newest window's timer wins.
    QHash<QString, FakeTimer*> timers;
    std::unique_ptr<TavoApplication> app;

    explicit AppRig(std::unique_ptr<SystemInfoLocator> sys_info = nullptr,
                    std::unique_ptr<ProgramLauncher> launcher = nullptr,
                    const RigRecovery& recovery = {}) {
        if (!sys_info) {
            sys_info = std::make_unique<FixedSystemInfoLocator>(std::nullopt);
        }
        if (!launcher) {
            launcher = std::make_unique<SystemProgramLauncher>();
        }
        app = std::make_unique<TavoApplication>(
            AppServices{dialogs, clock, random, switch_input, sounds, printer_dialog,
                        [this](QObject*, const QString& name) {
                            auto timer = std::make_unique<FakeTimer>(log, name);
                            timers[name] = timer.get();
                            return timer;
                        },
                        std::move(sys_info), std::move(launcher), no_reading_log(),
                        no_frame_presenter(), recovery.folder, recovery.questions});
        app->start(recovery.command_line);
    }
    ~AppRig() { app.reset(); }

    // Opens one of the three test windows or the About box by its
    // objectName, as its command does; nullptr for any other name.
    QWidget* open_window(const QString& name) {
        if (name == QLatin1String("Activation_Test")) {
            app->start_activation_test();
            return app->activation_window();
        }
        if (name == QLatin1String("Release_Test")) {
            app->start_release_test();
            return app->release_window();
        }
        if (name == QLatin1String("Repetition_Test")) {
            app->start_repetition_test();
            return app->repetition_window();
        }
        if (name == QLatin1String("About")) {
            app->show_about();
            return app->main_window().findChild<AboutDialog*>();
        }
        return nullptr;
    }
};

} // namespace tavo::testing

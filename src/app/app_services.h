// The outside services the program runs on, handed in by main() (the real
// ones) or by a test (fakes it controls).
#pragma once

#include "clock.h"
#include "dialogs.h"
#include "frame_presenter.h"
#include "one_shot_timer.h"
#include "program_launcher.h"
#include "random_source.h"
#include "reading_log.h"
#include "recovery_journal.h"
#include "results_printer.h"
#include "sound_player.h"
#include "switch_input.h"
#include "system_info_locator.h"

#include <memory>

namespace tavo {

struct AppServices {
    Dialogs& dialogs;
    Clock& clock;
    RandomSource& random;
    SwitchInput& switch_input;
    SoundPlayer& sounds;
    PrinterDialog& printer_dialog;
    TimerFactory make_timer;
    std::unique_ptr<SystemInfoLocator> sys_info;
    std::unique_ptr<ProgramLauncher> launcher;
    // Where the tests' clock readings go as they are taken (--clock-log).
    ReadingLog& readings = no_reading_log();
    // Shows the stimulus's frames whole and says when each was shown.
    FramePresenter& presenter = no_frame_presenter();
    // The folder of the recovery copies of unsaved work; empty keeps none.
    QString recovery_folder;
    // Who asks, at the start, about copies that earlier runs left behind;
    // message boxes over the main window when none is given.
    RecoveryQuestions* recovery_questions = nullptr;
};

} // namespace tavo

// The questions of the start about unsaved work that TAVO kept when it ended
// without being closed: Recover, Discard or Later, and the second question
// before a copy is deleted. Asked before the main window is shown, so each
// is a modal message box of its own.
#pragma once

#include "recovery_journal.h"

class QWidget;

namespace tavo {

class Dialogs;

class RecoveryQuestionBoxes final : public RecoveryQuestions {
public:
    RecoveryQuestionBoxes(Dialogs& dialogs, QWidget* owner);

    RecoveryAnswer ask_to_recover(const QString& question) override;
    bool confirm_discard(const QString& question) override;
    void report(const QString& message) override;

private:
    QWidget* box_owner() const;

    Dialogs& m_dialogs;
    QWidget* m_owner;
};

} // namespace tavo

// Answers the start's questions about recovery copies in tests, from a
// script, and records what was asked and reported.
#pragma once

#include "recovery_journal.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace tavo::testing {

class ScriptedQuestions final : public RecoveryQuestions {
public:
    // No answer left is Later; no confirmation left is Keep.
    std::deque<RecoveryAnswer> answers;
    std::deque<bool> confirmations;
    QStringList asked;
    QStringList reports;
    // Called as each question is asked, to look at the program meanwhile.
    std::function<void()> on_question;

    RecoveryAnswer ask_to_recover(const QString& question) override {
        asked << question;
        if (on_question) {
            on_question();
        }
        if (answers.empty()) {
            return RecoveryAnswer::later;
        }
        const RecoveryAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool confirm_discard(const QString& question) override {
        asked << question;
        if (confirmations.empty()) {
            return false;
        }
        const bool yes = confirmations.front();
        confirmations.pop_front();
        return yes;
    }
    void report(const QString& message) override { reports << message; }
};

} // namespace tavo::testing

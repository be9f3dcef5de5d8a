// Answers the common dialogs in tests: the next colour choice or file name,
// and a record of every message, link, help and file request.
#pragma once

#include "dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace tavo::testing {

class FakeDialogs final : public Dialogs {
public:
    struct ColorRequest {
        QColor initial;
        QString title;
        QWidget* owner = nullptr;
    };

    // Each colour dialog takes the next answer; nullopt is Cancel.
    std::deque<std::optional<QColor>> color_answers;
    std::vector<ColorRequest> color_requests;
    QStringList messages;
    // Called as each message is shown, to look at the program meanwhile.
    std::function<void(const QString&)> on_message;
    // Each question takes the next answer, by its index; none left is the
    // question's cancel answer. The questions asked, with their answers.
    std::deque<int> ask_answers;
    QStringList questions;
    QList<QStringList> question_answers;
    std::function<void(const QString&)> on_question;
    // Messages also shown as the desktop shows them, for tests of their
    // windows' lives.
    bool real_messages = false;
    QStringList opened_urls;
    QList<QPair<QString, int>> help_requests;

    struct FileRequest {
        QWidget* owner = nullptr;
        QString filter;
    };
    // Each Open or Save As dialog takes the next answer; nullopt (or none
    // left) is Cancel.
    std::deque<std::optional<QString>> open_answers;
    std::deque<std::optional<QString>> save_answers;
    std::vector<FileRequest> open_requests;
    std::vector<FileRequest> save_requests;
    // Each dialog for several files takes the next answer.
    std::deque<std::optional<QStringList>> open_several_answers;
    std::vector<FileRequest> open_several_requests;

    std::optional<QColor> choose_color(QWidget* owner, const QColor& initial,
                                       const QString& title) override {
        color_requests.push_back({initial, title, owner});
        if (color_answers.empty()) {
            return std::nullopt;
        }
        const std::optional<QColor> answer = color_answers.front();
        color_answers.pop_front();
        return answer;
    }
    void show_message(QWidget* owner, const QString& text) override {
        messages << text;
        if (real_messages) {
            DesktopDialogs().show_message(owner, text);
        }
        if (on_message) {
            on_message(text);
        }
    }
    int ask(QWidget*, const QString& text, const QStringList& answers, int cancel_index) override {
        questions << text;
        question_answers << answers;
        if (on_question) {
            on_question(text);
        }
        if (ask_answers.empty()) {
            return cancel_index;
        }
        const int answer = ask_answers.front();
        ask_answers.pop_front();
        return answer;
    }
    void open_url(const QString& url) override { opened_urls << url; }
    void show_help(QWidget*, const QString& help_file, int context) override {
        help_requests.append({help_file, context});
    }
    std::optional<QString> open_file_name(QWidget* owner, const QString& filter) override {
        open_requests.push_back({owner, filter});
        return next_answer(open_answers);
    }
    std::optional<QString> save_file_name(QWidget* owner, const QString& filter) override {
        save_requests.push_back({owner, filter});
        return next_answer(save_answers);
    }
    std::optional<QStringList> open_file_names(QWidget* owner, const QString& filter) override {
        open_several_requests.push_back({owner, filter});
        return next_answer(open_several_answers);
    }

private:
    template <class T> static std::optional<T> next_answer(std::deque<std::optional<T>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        const std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace tavo::testing

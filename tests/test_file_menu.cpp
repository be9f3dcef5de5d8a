// The File menu on the real main window: the save prompt as the user sees it,
// closing the window, the file dialogs, and an assessment saved, cleared and
// opened again, also from the command line.
#include "app_rig.h"
#include "default_window.h"
#include "sample_assessments.h"
#include "save_exit_dialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tavo;
using namespace tavo::testing;

class TestFileMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void save_prompt_as_shown();
    void one_prompt_whose_question_follows_the_command();
    void prompt_buttons_data();
    void prompt_buttons();
    void closing_the_main_window_is_exit_data();
    void closing_the_main_window_is_exit();
    void file_dialogs_belong_to_the_main_window();
    void saved_tests_reopen_to_the_same_results();
    void one_keystroke_in_the_notes_changes_only_that_data();
    void one_keystroke_in_the_notes_changes_only_that();
    void command_line_opens_a_file_at_start_data();
    void command_line_opens_a_file_at_start();
    void command_line_failure_is_told_over_the_shown_window();

private:
    DefaultWindow& window() { return m_rig->app->main_window(); }
    // The seven result labels as the Test Results tab shows them.
    QStringList shown_results() {
        QStringList texts;
        for (const char* name :
             {"Label1", "Label2", "Label3", "Label5", "Label6", "Label7", "Label8"}) {
            texts << window().findChild<QLabel*>(QString::fromLatin1(name))->text();
        }
        return texts;
    }
    static QStringList no_results() {
        return {"Test Not Completed", "", "", "Test Not Completed", "", "", "Test Not Completed"};
    }
    void trigger(const char* item) {
        window().findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    void type_subject(const QString& text) {
        auto* box = window().findChild<QLineEdit*>(QStringLiteral("Text0"));
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    template <class T = QWidget> T* prompt_child(const char* name) {
        return m_rig->app->save_prompt()->findChild<T*>(QString::fromLatin1(name));
    }

    std::unique_ptr<AppRig> m_rig;
    std::unique_ptr<QTemporaryDir> m_dir;
    int m_ended = 0;
};

void TestFileMenu::init() {
    m_rig = std::make_unique<AppRig>();
    m_rig->app->set_end_program([this] { ++m_ended; });
    m_dir = std::make_unique<QTemporaryDir>();
    m_ended = 0;
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
}

void TestFileMenu::cleanup() {
    m_rig.reset();
    m_dir.reset();
}

void TestFileMenu::save_prompt_as_shown() {
    type_subject(QStringLiteral("Ann"));
    trigger("exit_file_menu");
    SaveExitDialog* prompt = m_rig->app->save_prompt();
    QVERIFY(prompt);
    QVERIFY(prompt->isVisible());
    QVERIFY(!prompt->isModal());
    QCOMPARE(prompt->objectName(), QStringLiteral("Save_Exit"));
    QCOMPARE(prompt->windowTitle(), QStringLiteral("TAVO - Marlowen"));
    QCOMPARE(prompt->size(), QSize(349, 117));
    auto* question = prompt_child<QLabel>("Label1");
    QCOMPARE(question->text(), QStringLiteral("Do you want to save changes before quitting?"));
    QCOMPARE(question->geometry(), QRect(80, 16, 249, 33));
    // Drawn in the face and size of the main window, as every window is.
    QCOMPARE(question->font(), m_rig->app->main_window().font());
    QCOMPARE(prompt_child<QPushButton>("YesButton")->font(), m_rig->app->main_window().font());
    auto* icon = prompt_child<QLabel>("Image1");
    QVERIFY(!icon->pixmap().isNull());
    QVERIFY(icon->geometry().right() < question->x());

    const struct {
        const char* name;
        const char* caption;
        int left;
    } buttons[] = {
        {"YesButton", "Yes", 16}, {"NoButton", "No", 136}, {"CancelButton", "Cancel", 256}};
    for (const auto& b : buttons) {
        auto* button = prompt_child<QPushButton>(b.name);
        QVERIFY2(button, b.name);
        QCOMPARE(button->text(), QString::fromLatin1(b.caption));
        QCOMPARE(button->geometry(), QRect(b.left, 80, 73, 25));
    }
    QWidget* next = prompt_child("YesButton");
    QStringList order;
    for (int i = 0; i < 3; ++i, next = next->nextInFocusChain()) {
        while (next->focusPolicy() == Qt::NoFocus) {
            next = next->nextInFocusChain();
        }
        order << next->objectName();
    }
    QCOMPARE(order, (QStringList{"YesButton", "CancelButton", "NoButton"}));
    QCOMPARE(m_rig->sounds.played, QStringList{"Chord.wav"});
    QCOMPARE(m_ended, 0);
    QVERIFY(window().isVisible());
}

void TestFileMenu::one_prompt_whose_question_follows_the_command() {
    type_subject(QStringLiteral("Ann"));
    trigger("new_file_menu");
    SaveExitDialog* first = m_rig->app->save_prompt();
    QCOMPARE(first->question(),
             QStringLiteral("Do you want to save changes before creating a new file?"));
    trigger("open_file_menu");
    QCOMPARE(m_rig->app->save_prompt(), first);
    QCOMPARE(first->question(),
             QStringLiteral("Do you want to save changes before opening another file?"));
    QTest::mouseClick(prompt_child<QPushButton>("CancelButton"), Qt::LeftButton);
    QVERIFY(!first->isVisible());
    QCOMPARE(m_rig->app->document().fields()[0], QStringLiteral("Ann"));
    QVERIFY(m_rig->dialogs.open_requests.empty());
    // Hidden, not gone: the next prompt is the same window, and No carries
    // on with the command that raised it last.
    trigger("exit_file_menu");
    QCOMPARE(m_rig->app->save_prompt(), first);
    QVERIFY(first->isVisible());
    QTest::mouseClick(prompt_child<QPushButton>("NoButton"), Qt::LeftButton);
    QCOMPARE(m_ended, 1);
    QVERIFY(m_rig->dialogs.open_requests.empty());
}

void TestFileMenu::prompt_buttons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("ended");
    QTest::addColumn<bool>("saved");
    QTest::newRow("yes saves, then ends") << "YesButton" << 1 << true;
    QTest::newRow("no ends without saving") << "NoButton" << 1 << false;
    QTest::newRow("cancel only hides") << "CancelButton" << 0 << false;
}

void TestFileMenu::prompt_buttons() {
    QFETCH(QString, button);
    QFETCH(bool, saved);
    type_subject(QStringLiteral("Ann"));
    trigger("exit_file_menu");
    const QString path = m_dir->filePath(QStringLiteral("ann.tavo"));
    m_rig->dialogs.save_answers.push_back(path);
    QTest::mouseClick(m_rig->app->save_prompt()->findChild<QPushButton*>(button), Qt::LeftButton);
    QVERIFY(!m_rig->app->save_prompt()->isVisible());
    QTEST(m_ended, "ended");
    QCOMPARE(QFile::exists(path), saved);
    QCOMPARE(m_rig->app->document().saving().saved_fields[0], saved ? "Ann" : "");
}

void TestFileMenu::closing_the_main_window_is_exit_data() {
    QTest::addColumn<bool>("unsaved");
    QTest::newRow("nothing unsaved: the program ends") << false;
    QTest::newRow("unsaved work: the prompt asks") << true;
}

void TestFileMenu::closing_the_main_window_is_exit() {
    QFETCH(bool, unsaved);
    if (unsaved) {
        m_rig->app->document().commit(TestKind::activation, TimedRun{});
    }
    QVERIFY(!window().close());
    QVERIFY(window().isVisible());
    QCOMPARE(m_ended, unsaved ? 0 : 1);
    QCOMPARE(m_rig->app->save_prompt() != nullptr, unsaved);
}

void TestFileMenu::file_dialogs_belong_to_the_main_window() {
    trigger("open_file_menu");
    trigger("save_file_menu");
    QCOMPARE(m_rig->dialogs.open_requests.size(), std::size_t{1});
    QCOMPARE(m_rig->dialogs.save_requests.size(), std::size_t{1});
    for (const auto& request : {m_rig->dialogs.open_requests[0], m_rig->dialogs.save_requests[0]}) {
        QCOMPARE(request.filter, QStringLiteral("TAVO (*.tavo)"));
        QCOMPARE(request.owner, &window());
    }
    QVERIFY(m_rig->dialogs.messages.isEmpty());
}

void TestFileMenu::saved_tests_reopen_to_the_same_results() {
    AssessmentDocument& assessment = m_rig->app->document();
    assessment.recover(three_tests_fields(), three_tests_data(), QString());
    const QStringList results = shown_results();
    QVERIFY(results.back().startsWith(QStringLiteral("Time For 5 Clicks")));

    const QString path = m_dir->filePath(QStringLiteral("ann.tavo"));
    m_rig->dialogs.save_answers.push_back(path);
    trigger("save_file_menu");
    trigger("new_file_menu"); // saved: no prompt
    QCOMPARE(shown_results(), no_results());
    QCOMPARE(m_rig->app->document().fields(), TypedFields{});
    m_rig->dialogs.open_answers.push_back(path);
    trigger("open_file_menu");

    QCOMPARE(shown_results(), results);
    QCOMPARE(m_rig->app->document().fields(), three_tests_fields());
    QCOMPARE(assessment.file_name(), path);
    QVERIFY(!m_rig->app->save_prompt());
    QVERIFY(m_rig->dialogs.messages.isEmpty());
}

void TestFileMenu::one_keystroke_in_the_notes_changes_only_that_data() {
    QTest::addColumn<QString>("notes");
    QTest::newRow("paragraph separator, lone CR, NUL")
        << QString::fromUtf16(u"Kestrel\u2029 seated\rleft\r\nhand\0 z", 29);
    QTest::newRow("Windows-1252 text with lone CRs")
        << QStringLiteral("Kestrel Jos\u00e9\rleft\r\nhand\rend");
}

void TestFileMenu::one_keystroke_in_the_notes_changes_only_that() {
    QFETCH(QString, notes);
    const QString path = m_dir->filePath(QStringLiteral("notes.tavo"));
    AssessmentDocument& assessment = m_rig->app->document();
    assessment.load(three_tests_fields(), three_tests_data(), QString());
    assessment.set_field(TypedField::notes, notes);
    m_rig->dialogs.save_answers.push_back(path);
    trigger("save_file_menu");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    QCOMPARE(before.count("Kestrel"), 1);

    trigger("new_file_menu");
    m_rig->dialogs.open_answers.push_back(path);
    trigger("open_file_menu");
    QCOMPARE(assessment.field(TypedField::notes), notes);
    auto* box = window().findChild<QPlainTextEdit*>(QStringLiteral("notes"));
    box->setFocus();
    box->moveCursor(QTextCursor::Start);
    QTest::keyClick(box, Qt::Key_X);
    trigger("save_file_menu");
    QVERIFY(m_rig->dialogs.messages.isEmpty());

    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(before).replace("Kestrel", "xKestrel"));
}

void TestFileMenu::command_line_opens_a_file_at_start_data() {
    QTest::addColumn<QString>("command_line");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("message");
    QTest::newRow("a .tavo path") << sample_path("three_tests.tavo") << true << "";
    QTest::newRow("letter case of the extension") << QStringLiteral("copy") << true << "";
    QTest::newRow("path in double quotes")
        << QLatin1Char('"') + sample_path("three_tests.tavo") + QLatin1Char('"') << false << "";
    QTest::newRow("empty") << QString() << false << "";
    QTest::newRow("damaged file: says why, changes nothing")
        << sample_path("damaged_line14.tavo") << false
        << "line 14: expected a clock time such as 9:05:07:042";
}

void TestFileMenu::command_line_opens_a_file_at_start() {
    QFETCH(QString, command_line);
    QFETCH(QString, message);
    if (command_line == QLatin1String("copy")) {
        command_line = m_dir->filePath(QStringLiteral("smith.TaVo"));
        QVERIFY(QFile::copy(sample_path("three_tests.tavo"), command_line));
    }
    type_subject(QStringLiteral("typed before"));
    m_rig->app->start(command_line);
    QTEST(m_rig->app->document().fields() == three_tests_fields(), "opens");
    QTEST(shown_results() != no_results(), "opens");
    QVERIFY(m_rig->dialogs.open_requests.empty());
    QCOMPARE(m_rig->dialogs.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        const QString& shown = m_rig->dialogs.messages[0];
        QVERIFY2(shown.contains(QDir::toNativeSeparators(command_line)), qPrintable(shown));
        QVERIFY2(shown.contains(message), qPrintable(shown));
        QCOMPARE(m_rig->app->document().fields()[0], QStringLiteral("typed before"));
    }
    QVERIFY(m_rig->app->document().saving().data_saved);
}

// At start the main window is not yet shown and nothing is on screen: the
// failure waits for the window and says what the user now has.
void TestFileMenu::command_line_failure_is_told_over_the_shown_window() {
    window().hide();
    m_rig->app->start(sample_path("damaged_line14.tavo"));
    QVERIFY(m_rig->dialogs.messages.isEmpty());
    window().show();
    QTRY_COMPARE(m_rig->dialogs.messages.size(), 1);
    const QString& shown = m_rig->dialogs.messages[0];
    QVERIFY2(shown.contains(QStringLiteral("line 14")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("new, empty assessment")), qPrintable(shown));
    QVERIFY2(!shown.contains(QStringLiteral("on screen")), qPrintable(shown));
    // A file chosen later with Open keeps what is on screen, and says so.
    m_rig->dialogs.open_answers.push_back(sample_path("damaged_line14.tavo"));
    trigger("open_file_menu");
    QCOMPARE(m_rig->dialogs.messages.size(), 2);
    QVERIFY(m_rig->dialogs.messages[1].contains(QStringLiteral("on screen is unchanged")));
}

QTEST_MAIN(TestFileMenu)
#include "test_file_menu.moc"

// The recovery journal in the real program: what reaches the copy and when,
// what removes it, and what the next start asks about a copy left behind,
// through the real main window, test windows and file writer.
#include "app_rig.h"
#include "default_window.h"
#include "process_lock.h"
#include "recovery_question.h"
#include "sample_assessments.h"
#include "save_exit_dialog.h"
#include "scripted_questions.h"
#include "small_tmpfs.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tavo;
using namespace tavo::testing;

namespace {

QByteArray file_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void committed_run_is_copied_before_its_summary();
    void typing_is_gathered();
    void clean_end_removes_the_copy_data();
    void clean_end_removes_the_copy();
    void start_offers_what_was_left_data();
    void start_offers_what_was_left();
    void command_line_file_opens_after_the_question_data();
    void command_line_file_opens_after_the_question();
    void live_process_keeps_its_copy();
    void damaged_copy_is_set_aside_and_told_once();
    void full_disk_is_told_once();
    void question_buttons_data();
    void question_buttons();

private:
    std::unique_ptr<AppRig> start(const QString& command_line = {}) {
        auto rig = std::make_unique<AppRig>(
            nullptr, nullptr, RigRecovery{m_state->path(), &m_questions, command_line});
        rig->app->set_end_program([this] { ++m_ended; });
        return rig;
    }
    DefaultWindow& main() { return m_rig->app->main_window(); }
    QString copy_path() const { return m_rig->app->recovery_journal()->data_path(); }
    FakeTimer& timer(const char* name) { return *m_rig->timers.value(QString::fromLatin1(name)); }
    void trigger(const char* item) {
        main().findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    void type_subject(const QString& text) {
        auto* box = main().findChild<QLineEdit*>(QStringLiteral("Text0"));
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    // The activation test from its Start Test button to the tenth release,
    // each answer `response_ms` after its stimulus.
    void run_activation_test(int response_ms) {
        QTest::mouseClick(main().findChild<QPushButton*>(QStringLiteral("start_act_test")),
                          Qt::LeftButton);
        QWidget* window = m_rig->app->activation_window();
        QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        for (int i = 0; i < trials_per_test; ++i) {
            m_rig->clock.advance(timer("Stimulus_Timer").interval_ms);
            QVERIFY(timer("Stimulus_Timer").fire());
            m_rig->clock.advance(response_ms + i);
            QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
            m_rig->clock.advance(90);
            QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        }
    }
    // What the copy should hold: the document written in the ".tavo" format.
    QByteArray document_bytes() {
        const AssessmentDocument& document = m_rig->app->document();
        return write_assessment(document.fields(), document.data()).bytes;
    }
    // A run typed and measured, then TAVO gone without a clean end.
    QByteArray leave_a_copy(const QString& subject, const QString& file_name = {}) {
        m_rig = start();
        if (!file_name.isEmpty()) {
            m_rig->app->document().mark_saved(file_name);
        }
        type_subject(subject);
        run_activation_test(250);
        const QByteArray left = file_bytes(copy_path());
        m_rig.reset();
        return left;
    }

    std::unique_ptr<QTemporaryDir> m_state;
    ScriptedQuestions m_questions;
    std::unique_ptr<AppRig> m_rig;
    int m_ended = 0;
};

void TestRecovery::init() {
    m_state = std::make_unique<QTemporaryDir>();
    m_questions = {};
    m_ended = 0;
}

void TestRecovery::cleanup() {
    m_rig.reset();
    m_state.reset();
}

void TestRecovery::committed_run_is_copied_before_its_summary() {
    m_rig = start();
    QByteArray copy_when_shown;
    m_rig->dialogs.on_message = [this, &copy_when_shown](const QString&) {
        copy_when_shown = file_bytes(copy_path());
    };
    type_subject(QStringLiteral("Ann"));
    run_activation_test(300);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    QCOMPARE(m_rig->dialogs.messages.size(), 1);
    QVERIFY(m_rig->dialogs.messages[0].startsWith(QLatin1String("Average Response Time")));
    QCOMPARE(copy_when_shown, document_bytes());
    // Not a write of the typing left waiting: the run itself went at once.
    QVERIFY(!timer("Recovery_Timer").is_enabled);
    QCOMPARE(QFile(copy_path()).permissions() &
                 ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
             QFile::Permissions());
    QCOMPARE(QFile(m_state->path()).permissions() &
                 (QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther),
             QFile::Permissions());
}

void TestRecovery::typing_is_gathered() {
    m_rig = start();
    FakeTimer& gathering = timer("Recovery_Timer");
    type_subject(QStringLiteral("Ann"));
    QVERIFY(!QFile::exists(copy_path()));
    QVERIFY(gathering.is_enabled);
    QCOMPARE(gathering.interval_ms, 1000);
    // Three keys, one pause: steady typing is not put off for ever.
    QCOMPARE(gathering.enablings, 1);
    QVERIFY(gathering.fire());
    QCOMPARE(file_bytes(copy_path()), document_bytes());
    QVERIFY(file_bytes(copy_path()).contains("Ann"));
    type_subject(QStringLiteral("Bo"));
    QCOMPARE(gathering.enablings, 2);
    QVERIFY(!file_bytes(copy_path()).contains("Bo"));
    QVERIFY(gathering.fire());
    QVERIFY(file_bytes(copy_path()).contains("Bo"));
}

void TestRecovery::clean_end_removes_the_copy_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("ends");
    QTest::newRow("Exit, No") << QStringLiteral("exit") << true;
    QTest::newRow("closing the window, No") << QStringLiteral("close") << true;
    QTest::newRow("Save") << QStringLiteral("save") << false;
    QTest::newRow("Exit, Yes") << QStringLiteral("exit yes") << true;
    QTest::newRow("New, No") << QStringLiteral("new") << false;
    QTest::newRow("New after a test, No") << QStringLiteral("test, new") << false;
    QTest::newRow("Open, No") << QStringLiteral("open") << false;
    QTest::newRow("typed back as saved") << QStringLiteral("type back") << false;
}

void TestRecovery::clean_end_removes_the_copy() {
    QFETCH(QString, way);
    QFETCH(bool, ends);
    m_rig = start();
    QTemporaryDir files;
    main().show();
    type_subject(QStringLiteral("Ann"));
    QVERIFY(timer("Recovery_Timer").fire());
    if (way.startsWith(QLatin1String("test, "))) {
        run_activation_test(250);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        m_rig->app->activation_window()->close();
        way.remove(0, 6);
    }
    QVERIFY(QFile::exists(copy_path()));
    const QString lock =
        m_rig->app->recovery_journal()->folder().lock_path(m_rig->app->recovery_journal()->id());
    QVERIFY(lock_is_held(lock));
    auto answer = [this](const char* button) {
        QTest::mouseClick(
            m_rig->app->save_prompt()->findChild<QPushButton*>(QString::fromLatin1(button)),
            Qt::LeftButton);
    };
    if (way == QLatin1String("exit")) {
        trigger("exit_file_menu");
        answer("NoButton");
    } else if (way == QLatin1String("close")) {
        main().close();
        answer("NoButton");
    } else if (way == QLatin1String("save")) {
        m_rig->dialogs.save_answers.push_back(files.filePath(QStringLiteral("a.tavo")));
        trigger("save_file_menu");
    } else if (way == QLatin1String("exit yes")) {
        m_rig->dialogs.save_answers.push_back(files.filePath(QStringLiteral("a.tavo")));
        trigger("exit_file_menu");
        answer("YesButton");
    } else if (way == QLatin1String("new")) {
        trigger("new_file_menu");
        answer("NoButton");
    } else if (way == QLatin1String("open")) {
        m_rig->dialogs.open_answers.push_back(sample_path(QStringLiteral("three_tests.tavo")));
        trigger("open_file_menu");
        answer("NoButton");
    } else {
        auto* box = main().findChild<QLineEdit*>(QStringLiteral("Text0"));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
    }
    QCOMPARE(m_ended, ends ? 1 : 0);
    QVERIFY(!QFile::exists(copy_path()));
    QVERIFY(!timer("Recovery_Timer").is_enabled);
    QCOMPARE(lock_is_held(lock), !ends);
    // Nothing left for the next start either.
    m_rig.reset();
    m_rig = start();
    QCOMPARE(m_questions.asked, QStringList());
}

void TestRecovery::start_offers_what_was_left_data() {
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QList<bool>>("confirmations");
    QTest::addColumn<bool>("recovered");
    QTest::addColumn<bool>("kept");
    const int recover = static_cast<int>(RecoveryAnswer::recover);
    const int discard = static_cast<int>(RecoveryAnswer::discard);
    const int later = static_cast<int>(RecoveryAnswer::later);
    QTest::newRow("Recover") << QList<int>{recover} << QList<bool>{} << true << false;
    QTest::newRow("Later") << QList<int>{later} << QList<bool>{} << false << true;
    QTest::newRow("Discard, Delete") << QList<int>{discard} << QList<bool>{true} << false << false;
    QTest::newRow("Discard, Keep, Later")
        << QList<int>{discard, later} << QList<bool>{false} << false << true;
}

void TestRecovery::start_offers_what_was_left() {
    QFETCH(QList<int>, answers);
    QFETCH(QList<bool>, confirmations);
    QFETCH(bool, recovered);
    QFETCH(bool, kept);
    const QString belongs_to = m_state->filePath(QStringLiteral("visit.tavo"));
    const QByteArray left = leave_a_copy(QStringLiteral("Ann Example"), belongs_to);
    QVERIFY(left.contains("Ann Example"));
    for (const int answer : answers) {
        m_questions.answers.push_back(static_cast<RecoveryAnswer>(answer));
    }
    m_questions.confirmations.assign(confirmations.begin(), confirmations.end());
    m_rig = start();
    QVERIFY(m_questions.asked.value(0).startsWith(QStringLiteral(
        "TAVO was not closed properly. Recover the unsaved assessment of Ann Example, last "
        "changed ")));
    const AssessmentDocument& document = m_rig->app->document();
    const RecoveryFolder& folder = m_rig->app->recovery_journal()->folder();
    QStringList others;
    for (const QString& name : QDir(folder.path()).entryList({QStringLiteral("recovery-*.tavo")})) {
        if (m_state->filePath(name) != copy_path()) {
            others << name;
        }
    }
    QCOMPARE(others.size(), kept ? 1 : 0);
    if (recovered) {
        // Every field and reading as it was, unsaved, under its file's name,
        // and copied into this run's own set before the old one went.
        QCOMPARE(document_bytes(), left);
        QCOMPARE(file_bytes(copy_path()), left);
        QCOMPARE(document.file_name(), belongs_to);
        QVERIFY(document.unsaved_changes());
        QCOMPARE(main().findChild<QLineEdit*>(QStringLiteral("Text0"))->text(),
                 QStringLiteral("Ann Example"));
        QCOMPARE(main().findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("Fastest = 00:00.250"));
    } else {
        QCOMPARE(document.fields(), TypedFields());
        QVERIFY(!document.unsaved_changes());
        QVERIFY(!QFile::exists(copy_path()));
    }
    // What was kept, or recovered and still unsaved, is offered again at the
    // next start, and nothing else.
    m_questions = {};
    m_rig.reset();
    m_rig = start();
    QCOMPARE(m_questions.asked.size(), kept || recovered ? 1 : 0);
}

void TestRecovery::command_line_file_opens_after_the_question_data() {
    QTest::addColumn<bool>("recover");
    QTest::newRow("Later") << false;
    QTest::newRow("Recover") << true;
}

void TestRecovery::command_line_file_opens_after_the_question() {
    QFETCH(bool, recover);
    const QByteArray left = leave_a_copy(QStringLiteral("Ann"));
    // The main window's subject when the question comes: the file named on
    // the command line is not open yet.
    QStringList subject_when_asked;
    m_questions.on_question = [&subject_when_asked] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* main_window = qobject_cast<DefaultWindow*>(window)) {
                subject_when_asked
                    << main_window->findChild<QLineEdit*>(QStringLiteral("Text0"))->text();
            }
        }
    };
    if (recover) {
        m_questions.answers.push_back(RecoveryAnswer::recover);
    }
    const QString path = sample_path(QStringLiteral("three_tests.tavo"));
    m_rig = start(path);
    QCOMPARE(subject_when_asked, QStringList{QString()});
    const AssessmentDocument& document = m_rig->app->document();
    if (recover) {
        // The recovered work stays on screen; the file waits to be opened.
        QCOMPARE(document_bytes(), left);
        QCOMPARE(m_rig->dialogs.messages.size(), 1);
        QVERIFY(m_rig->dialogs.messages[0].contains(path));
    } else {
        QCOMPARE(document.file_name(), path);
        QCOMPARE(document.fields(), three_tests_fields());
        QVERIFY(m_rig->dialogs.messages.isEmpty());
    }
}

void TestRecovery::live_process_keeps_its_copy() {
    const QByteArray left = leave_a_copy(QStringLiteral("Ann"));
    QStringList sets = QDir(m_state->path()).entryList({QStringLiteral("recovery-*.tavo")});
    QCOMPARE(sets.size(), 1);
    const QString lock = m_state->filePath(sets[0].chopped(5) + QStringLiteral(".lock"));
    // A second TAVO that still runs: its copy is its own.
    QProcess other;
    other.start(QStringLiteral("cat"), {});
    QVERIFY(other.waitForStarted());
    const std::optional<ProcessIdentity> running = running_process(other.processId());
    QVERIFY(running);
    QFile lock_file(lock);
    QVERIFY(lock_file.open(QIODevice::WriteOnly));
    lock_file.write(lock_text(*running));
    lock_file.close();
    m_rig = start();
    QCOMPARE(m_questions.asked, QStringList());
    QCOMPARE(file_bytes(m_state->filePath(sets[0])), left);
    m_rig.reset();
    // Once it has gone, its copy is left behind.
    other.closeWriteChannel();
    QVERIFY(other.waitForFinished());
    m_rig = start();
    QCOMPARE(m_questions.asked.size(), 1);
}

void TestRecovery::damaged_copy_is_set_aside_and_told_once() {
    const QByteArray left = leave_a_copy(QStringLiteral("Ann"));
    const QStringList sets = QDir(m_state->path()).entryList({QStringLiteral("recovery-*.tavo")});
    QCOMPARE(sets.size(), 1);
    QFile damaged(m_state->filePath(sets[0]));
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(left.left(300));
    damaged.close();
    m_rig = start();
    QCOMPARE(m_questions.asked, QStringList());
    QCOMPARE(m_questions.reports.size(), 1);
    QVERIFY(m_questions.reports[0].contains(sets[0]));
    QCOMPARE(file_bytes(m_state->filePath(QStringLiteral("damaged-") + sets[0])), left.left(300));
    m_rig.reset();
    m_rig = start();
    QCOMPARE(m_questions.reports.size(), 1);
}

void TestRecovery::full_disk_is_told_once() {
    SmallTmpfs disk;
    if (const std::optional<QString> why = disk.mount()) {
        QSKIP(qPrintable(*why));
    }
    m_rig = std::make_unique<AppRig>(
        nullptr, nullptr, RigRecovery{disk.path(QStringLiteral("recovery")), &m_questions, {}});
    QVERIFY(disk.fill() > 0);
    run_activation_test(250);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    // The run's summary, and once the disk said no, why the copy is missing.
    const QStringList copy_failures =
        m_rig->dialogs.messages.filter(QStringLiteral("could not keep a recovery copy"));
    QCOMPARE(copy_failures.size(), 1);
    QVERIFY2(copy_failures[0].contains(QLatin1String("No space left on device")) &&
                 copy_failures[0].contains(copy_path()),
             qPrintable(copy_failures[0]));
    // No empty copy that the next start would take for a damaged one.
    QVERIFY(!QFile::exists(copy_path()));
    // Said once, not at every key.
    type_subject(QStringLiteral("Ann"));
    QVERIFY(timer("Recovery_Timer").fire());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    QCOMPARE(m_rig->dialogs.messages.filter(QStringLiteral("recovery copy")).size(), 1);
    // With room again, the next pause writes the whole assessment.
    QVERIFY(disk.free_up(16 * 1024));
    type_subject(QStringLiteral("Ann Example"));
    QVERIFY(timer("Recovery_Timer").fire());
    QCOMPARE(file_bytes(copy_path()), document_bytes());
    // A failure after a success is news again.
    disk.fill();
    type_subject(QStringLiteral("Ann Example-Reyes"));
    QVERIFY(timer("Recovery_Timer").fire());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    QCOMPARE(m_rig->dialogs.messages.filter(QStringLiteral("recovery copy")).size(), 2);
}

void TestRecovery::question_buttons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer");
    QTest::newRow("Recover") << QStringLiteral("RecoverButton")
                             << static_cast<int>(RecoveryAnswer::recover);
    QTest::newRow("Discard") << QStringLiteral("DiscardButton")
                             << static_cast<int>(RecoveryAnswer::discard);
    QTest::newRow("Later") << QStringLiteral("LaterButton")
                           << static_cast<int>(RecoveryAnswer::later);
}

void TestRecovery::question_buttons() {
    QFETCH(QString, button);
    QFETCH(int, answer);
    FakeDialogs dialogs;
    RecoveryQuestionBoxes boxes(dialogs, nullptr);
    QString shown;
    QTimer::singleShot(0, this, [&shown, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->text();
        QTest::mouseClick(box->findChild<QPushButton*>(button), Qt::LeftButton);
    });
    QCOMPARE(static_cast<int>(boxes.ask_to_recover(QStringLiteral("Recover <b>Ann</b>?"))), answer);
    QCOMPARE(shown, QStringLiteral("Recover <b>Ann</b>?"));
    // Delete only when the second question says so; Keep is the default.
    QTimer::singleShot(0, this, [button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        QTest::mouseClick(box->findChild<QPushButton*>(button == QLatin1String("DiscardButton")
                                                           ? QStringLiteral("DeleteButton")
                                                           : QStringLiteral("KeepButton")),
                          Qt::LeftButton);
    });
    QCOMPARE(boxes.confirm_discard(QStringLiteral("Delete?")),
             button == QLatin1String("DiscardButton"));
}

QTEST_MAIN(TestRecovery)
#include "test_recovery.moc"

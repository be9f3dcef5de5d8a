// The File commands' decisions without windows: when they ask before
// dropping unsaved work, what each answer of the save prompt leads to, and
// that a failed or cancelled save or open changes nothing.
#include "assessment_file.h"
#include "file_commands.h"
#include "sample_assessments.h"
#include "small_tmpfs.h"
#include "sound_player.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <sys/stat.h>

using namespace tavo;
using namespace tavo::testing;

namespace {

// Stands in for the main window and the desktop, and logs every call.
class FakeHost final : public FileCommandHost {
public:
    QStringList log;
    QStringList messages;
    QStringList questions;
    std::deque<std::optional<QString>> open_answers;
    std::deque<std::optional<QString>> save_answers;
    QStringList filters;

    std::optional<QString> open_file_name(const QString& filter) override {
        log << QStringLiteral("open dialog");
        filters << filter;
        return next(open_answers);
    }
    std::optional<QString> save_file_name(const QString& filter) override {
        log << QStringLiteral("save dialog");
        filters << filter;
        return next(save_answers);
    }
    void show_message(const QString& text) override {
        log << QStringLiteral("message");
        messages << text;
    }
    std::deque<ChangedFileAnswer> changed_answers;
    QStringList changed_questions;
    ChangedFileAnswer ask_about_changed_file(const QString& question) override {
        log << QStringLiteral("changed question");
        changed_questions << question;
        if (changed_answers.empty()) {
            return ChangedFileAnswer::cancel;
        }
        const ChangedFileAnswer answer = changed_answers.front();
        changed_answers.pop_front();
        return answer;
    }
    void show_save_prompt(const QString& question) override {
        log << QStringLiteral("prompt");
        questions << question;
    }
    void end_program() override { log << QStringLiteral("end"); }

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class Sounds final : public SoundPlayer {
public:
    QStringList played;
    void play(const QString& bare_name) override { played << bare_name; }
};

enum class Command { new_file, open, exit };

// What happens to an opened file before this assessment is saved into it.
enum class OutsideChange {
    none,
    edited_by_another_program, // sed -i: a new file under the old name
    saved_by_another_window,   // a second assessment on the same file
    rewritten_in_place,        // same inode, new bytes
    removed,
    touched, // a new time, the same bytes
};

enum class SaveFault { full_disk, read_only_disk, tab_in_a_field };

QByteArray content_of(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(OutsideChange)
Q_DECLARE_METATYPE(ChangedFileAnswer)
Q_DECLARE_METATYPE(SaveFault)

class TestFileCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void commands_act_at_once_when_nothing_is_unsaved_data();
    void commands_act_at_once_when_nothing_is_unsaved();
    void unsaved_work_raises_the_prompt_data();
    void unsaved_work_raises_the_prompt();
    void prompt_answers_data();
    void prompt_answers();
    void unsaved_save_drops_its_follow_up_data();
    void unsaved_save_drops_its_follow_up();
    void failed_save_changes_nothing_data();
    void failed_save_changes_nothing();
    void save_asks_for_a_name_only_when_needed();
    void open_replaces_the_assessment_at_once();
    void failed_open_changes_nothing_data();
    void failed_open_changes_nothing();
    void cancelled_open_reads_nothing();
    void outside_change_is_not_overwritten_silently_data();
    void outside_change_is_not_overwritten_silently();

private:
    void run(Command command);
    void make_unsaved(const QString& file_name = {});
    QString temp_path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    void set_fields(const TypedFields& fields);

    std::unique_ptr<AssessmentDocument> m_document;
    std::unique_ptr<FakeHost> m_host;
    std::unique_ptr<Sounds> m_sounds;
    std::unique_ptr<FileCommands> m_commands;
};

void TestFileCommands::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_document = std::make_unique<AssessmentDocument>();
    m_host = std::make_unique<FakeHost>();
    m_sounds = std::make_unique<Sounds>();
    m_commands = std::make_unique<FileCommands>(*m_document, *m_host, *m_sounds);
    // The assessment's readings replaced (an open or a New) show in the log.
    QObject::connect(m_document.get(), &AssessmentDocument::changed, [this](DocumentChange what) {
        if (what == DocumentChange::readings) {
            m_host->log << QStringLiteral("readings");
        }
    });
}

void TestFileCommands::run(Command command) {
    switch (command) {
    case Command::new_file:
        m_commands->new_file();
        break;
    case Command::open:
        m_commands->open();
        break;
    case Command::exit:
        m_commands->exit();
        break;
    }
}

// Three completed tests and typed fields, none of it saved yet.
void TestFileCommands::make_unsaved(const QString& file_name) {
    m_document->recover({}, three_tests_data(), file_name);
    set_fields(three_tests_fields());
    m_host->log.clear();
}

void TestFileCommands::set_fields(const TypedFields& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        m_document->set_field(static_cast<TypedField>(i), fields[i]);
    }
}

void TestFileCommands::commands_act_at_once_when_nothing_is_unsaved_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("new clears the assessment") << Command::new_file << QStringList{"readings"};
    QTest::newRow("open shows the dialog") << Command::open << QStringList{"open dialog"};
    QTest::newRow("exit ends the program") << Command::exit << QStringList{"end"};
}

void TestFileCommands::commands_act_at_once_when_nothing_is_unsaved() {
    QFETCH(Command, command);
    run(command);
    QTEST(m_host->log, "log");
    QVERIFY(m_sounds->played.isEmpty());
}

void TestFileCommands::unsaved_work_raises_the_prompt_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("test_completed");
    QTest::addColumn<QString>("carries_on"); // with No
    QTest::addColumn<QString>("question");
    const struct {
        const char* name;
        Command command;
        const char* carries_on;
        const char* question;
    } commands[] = {
        {"new", Command::new_file, "readings",
         "Do you want to save changes before creating a new file?"},
        {"open", Command::open, "open dialog",
         "Do you want to save changes before opening another file?"},
        {"exit", Command::exit, "end", "Do you want to save changes before quitting?"},
    };
    for (const auto& c : commands) {
        QTest::addRow("%s after a test", c.name) << c.command << true << c.carries_on << c.question;
        QTest::addRow("%s after typing", c.name)
            << c.command << false << c.carries_on << c.question;
    }
}

void TestFileCommands::unsaved_work_raises_the_prompt() {
    QFETCH(Command, command);
    QFETCH(bool, test_completed);
    QFETCH(QString, carries_on);
    if (test_completed) {
        m_document->commit(TestKind::activation, TimedRun{});
    } else {
        m_document->set_field(TypedField::switch_location, QStringLiteral("chin"));
    }
    m_host->log.clear();
    run(command);
    QCOMPARE(m_host->log, QStringList{"prompt"});
    QTEST(m_host->questions.constFirst(), "question");
    QCOMPARE(m_sounds->played, QStringList{"Chord.wav"});
    m_commands->continue_without_saving();
    QCOMPARE(m_host->log.value(1), carries_on);
}

void TestFileCommands::prompt_answers_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<bool>("saved");
    QTest::newRow("yes before exit")
        << Command::exit << true << QStringList{"save dialog", "end"} << true;
    QTest::newRow("no before exit") << Command::exit << false << QStringList{"end"} << false;
    QTest::newRow("yes before open")
        << Command::open << true << QStringList{"save dialog", "open dialog", "readings"} << true;
    QTest::newRow("no before open")
        << Command::open << false << QStringList{"open dialog", "readings"} << false;
    QTest::newRow("yes before new")
        << Command::new_file << true << QStringList{"save dialog", "readings"} << true;
    QTest::newRow("no before new")
        << Command::new_file << false << QStringList{"readings"} << false;
}

void TestFileCommands::prompt_answers() {
    QFETCH(Command, command);
    QFETCH(bool, yes);
    QFETCH(bool, saved);
    make_unsaved();
    run(command);
    m_host->log.clear();
    const QString path = temp_path(QStringLiteral("ann.tavo"));
    m_host->save_answers.push_back(path);
    m_host->open_answers.push_back(sample_path(QStringLiteral("no_tests.tavo")));
    yes ? m_commands->save_then_continue() : m_commands->continue_without_saving();

    QTEST(m_host->log, "log");
    QCOMPARE(QFile::exists(path), saved);
    if (saved) {
        QCOMPARE(read_assessment_file(path, {}).record.fields, three_tests_fields());
    }
    // Whatever followed, no unsaved work is left behind to ask about again,
    // and no follow-up waits for a later save.
    QCOMPARE(m_document->saving().data_saved, command != Command::exit || saved);
    QVERIFY(m_host->messages.isEmpty());
    m_host->log.clear();
    m_host->save_answers.push_back(temp_path(QStringLiteral("later.tavo")));
    m_commands->save_as();
    QCOMPARE(m_host->log, QStringList{"save dialog"});
}

void TestFileCommands::unsaved_save_drops_its_follow_up_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("cancel");
    for (const auto& [name, command] :
         {std::pair{"exit", Command::exit}, std::pair{"open", Command::open},
          std::pair{"new", Command::new_file}}) {
        QTest::addRow("%s, save dialog cancelled", name) << command << true;
        QTest::addRow("%s, save failed", name) << command << false;
    }
}

void TestFileCommands::unsaved_save_drops_its_follow_up() {
    QFETCH(Command, command);
    QFETCH(bool, cancel);
    make_unsaved();
    run(command);
    const QString bad_path = temp_path(QStringLiteral("no/such/folder/ann.tavo"));
    m_host->save_answers.push_back(cancel ? std::nullopt : std::optional(bad_path));
    m_host->log.clear();
    m_commands->save_then_continue();

    const QStringList expected_log =
        cancel ? QStringList{"save dialog"} : QStringList{"save dialog", "message"};
    QCOMPARE(m_host->log, expected_log);
    if (!cancel) {
        QVERIFY(m_host->messages[0].startsWith(
            QStringLiteral("Could not save \"%1\".").arg(QDir::toNativeSeparators(bad_path))));
    }
    QVERIFY(!m_document->saving().data_saved);
    QCOMPARE(m_document->saving().saved_fields, TypedFields{});
    QCOMPARE(m_document->saving().current_file_name, QString());

    // A later, unrelated save only saves.
    m_host->log.clear();
    m_host->save_answers.push_back(temp_path(QStringLiteral("later.tavo")));
    m_commands->save();
    QCOMPARE(m_host->log, QStringList{"save dialog"});
    QVERIFY(m_document->saving().data_saved);
    QCOMPARE(m_document->saving().saved_fields, three_tests_fields());
}

void TestFileCommands::failed_save_changes_nothing_data() {
    QTest::addColumn<SaveFault>("fault");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("save_elsewhere"); // the message says what to do
    QTest::newRow("full disk") << SaveFault::full_disk << "No space left on device." << true;
    QTest::newRow("read-only disk")
        << SaveFault::read_only_disk << "Read-only file system." << true;
    QTest::newRow("TAB in a field")
        << SaveFault::tab_in_a_field
        << "the Administrator contains a TAB, which the file cannot hold (the text after it would "
           "be lost); please replace it with a blank."
        << false;
}

// Yes before Exit, and the save fails: a message with the file and the
// reason, the earlier file unchanged, the assessment still unsaved, and the
// program still running.
void TestFileCommands::failed_save_changes_nothing() {
    QFETCH(SaveFault, fault);
    QFETCH(QString, reason);
    QFETCH(bool, save_elsewhere);
    SmallTmpfs disk;
    if (fault != SaveFault::tab_in_a_field) {
        if (const std::optional<QString> why = disk.mount()) {
            QSKIP(qPrintable(*why));
        }
    }
    const QString path = fault == SaveFault::tab_in_a_field ? temp_path(QStringLiteral("ann.tavo"))
                                                            : disk.path(QStringLiteral("ann.tavo"));
    make_unsaved();
    m_host->save_answers.push_back(path);
    m_commands->save();
    const QByteArray earlier = content_of(path);
    QVERIFY(earlier.startsWith("Subject: \tAnn Example"));

    m_document->commit(TestKind::activation, TimedRun{});
    m_document->set_field(TypedField::administrator, QStringLiteral("Dr Bo\tReyes"));
    switch (fault) {
    case SaveFault::full_disk:
        QVERIFY(disk.fill() > 0);
        m_document->set_field(TypedField::administrator, QStringLiteral("Dr Bo Reyes, changed"));
        break;
    case SaveFault::read_only_disk:
        QVERIFY(disk.make_read_only());
        m_document->set_field(TypedField::administrator, QStringLiteral("Dr Bo Reyes, changed"));
        break;
    case SaveFault::tab_in_a_field:
        break;
    }
    m_host->log.clear();
    m_commands->exit();
    m_commands->save_then_continue();

    QCOMPARE(m_host->log, (QStringList{"prompt", "message"}));
    const QString& message = m_host->messages.constFirst();
    QVERIFY2(message.startsWith(QStringLiteral("Could not save \"%1\".\n\n%2")
                                    .arg(QDir::toNativeSeparators(path), reason)),
             qPrintable(message));
    QCOMPARE(message.contains(QStringLiteral("save it in another folder or on another disk")),
             save_elsewhere);
    QCOMPARE(content_of(path), earlier);
    const SavingState& saving = m_document->saving();
    QVERIFY(!saving.data_saved);
    QCOMPARE(saving.saved_fields, three_tests_fields());
    QCOMPARE(saving.current_file_name, path);
}

void TestFileCommands::save_asks_for_a_name_only_when_needed() {
    make_unsaved();
    const QString first = temp_path(QStringLiteral("first.tavo"));
    const QString second = temp_path(QStringLiteral("second.tavo"));
    m_host->save_answers = {first, std::nullopt, second};

    m_commands->save(); // no name yet: asks
    m_commands->save(); // saves again without asking
    QCOMPARE(m_host->log, QStringList{"save dialog"});
    QCOMPARE(m_host->filters, QStringList{"TAVO (*.tavo)"});
    QCOMPARE(m_document->saving().current_file_name, first);

    m_document->set_field(TypedField::subject_name, QStringLiteral("Ann Changed"));
    m_commands->save_as(); // cancelled: nothing is written
    QCOMPARE(read_assessment_file(first, {}).record.fields[0], QStringLiteral("Ann Example"));
    QCOMPARE(m_document->saving().current_file_name, first);
    m_commands->save(); // the cancelled Save As is not asked for again

    m_commands->save_as(); // the new name becomes current
    m_commands->save();
    QCOMPARE(m_host->log, (QStringList{"save dialog", "save dialog", "save dialog"}));
    QCOMPARE(m_document->saving().current_file_name, second);
    QCOMPARE(read_assessment_file(second, {}).record.fields[0], QStringLiteral("Ann Changed"));
    QVERIFY(m_host->messages.isEmpty());
}

void TestFileCommands::open_replaces_the_assessment_at_once() {
    TimedRun old_activation;
    old_activation.readings.start_time = {2019, 7, 4, 11, 1, 1, 1, 1};
    m_document->commit(TestKind::activation, old_activation);
    TimedRun old_release;
    old_release.readings.onsets.fill(77);
    m_document->commit(TestKind::release, old_release);
    set_fields({"Old", "Old", "Old", "Old", "Old"});
    m_host->log.clear();
    m_host->open_answers.push_back(sample_path(QStringLiteral("three_tests.tavo")));
    m_commands->open_file();

    QCOMPARE(m_host->log, (QStringList{"open dialog", "readings"}));
    QCOMPARE(m_document->fields(), three_tests_fields());
    const SavingState& saving = m_document->saving();
    QCOMPARE(saving.saved_fields, three_tests_fields());
    QCOMPARE(saving.current_file_name, sample_path(QStringLiteral("three_tests.tavo")));
    QVERIFY(saving.data_saved);
    QCOMPARE(reading_offsets(m_document->data()), reading_offsets(three_tests_data()));
    QCOMPARE(m_document->data().activation.start_time.year, std::uint16_t{2019});
}

void TestFileCommands::failed_open_changes_nothing_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << sample_path(QStringLiteral("missing.tavo")) << "";
    QTest::newRow("damaged line")
        << sample_path(QStringLiteral("damaged_line14.tavo"))
        << "line 14: expected a clock time such as 9:05:07:042, found \"9:05:07\".";
    QTest::newRow("cut file") << QStringLiteral("cut") << "but the file ends after line 40.";
    QTest::newRow("cut inside the last line")
        << QStringLiteral("cut last")
        << "line 66: expected a clock time such as 9:05:07:042, a TAB and a label, found "
           "\"9:20:02:95\" at the end of the file, which seems to be cut off.";
    QTest::newRow("a device without end")
        << QStringLiteral("/dev/zero")
        << "It is not an ordinary file but a folder, a device or a pipe.";
    QTest::newRow("a pipe without a writer")
        << QStringLiteral("pipe") << "It is not an ordinary file but a folder, a device or a pipe.";
    QTest::newRow("over 16 MiB") << QStringLiteral("big")
                                 << "It is larger than 16 MiB (16777216 bytes), far more than any "
                                    "assessment file holds.";
}

void TestFileCommands::failed_open_changes_nothing() {
    QFETCH(QString, file);
    QFETCH(QString, reason);
    if (file == QLatin1String("cut")) {
        file = temp_path(QStringLiteral("cut.tavo"));
        QFile cut(file);
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(
            sample_bytes(QStringLiteral("three_tests.tavo")).split('\n').mid(0, 40).join('\n'));
    } else if (file == QLatin1String("cut last")) {
        file = temp_path(QStringLiteral("cut last.tavo"));
        QFile cut(file);
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(sample_bytes(QStringLiteral("three_tests.tavo")).chopped(9));
    } else if (file == QLatin1String("pipe")) {
        file = temp_path(QStringLiteral("pipe.tavo"));
        QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
    } else if (file == QLatin1String("big")) {
        file = temp_path(QStringLiteral("big.tavo"));
        QFile big(file);
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write(sample_bytes(QStringLiteral("three_tests.tavo")) +
                  QByteArray(largest_assessment_file, ' '));
    }
    make_unsaved(QStringLiteral("/data/before.tavo"));
    const TestData before_data = m_document->data();
    const SavingState before_saving = m_document->saving();
    m_host->open_answers.push_back(file);
    m_commands->open_file();

    QCOMPARE(m_host->log, (QStringList{"open dialog", "message"}));
    const QString& message = m_host->messages[0];
    QVERIFY2(message.startsWith(
                 QStringLiteral("Could not open \"%1\".").arg(QDir::toNativeSeparators(file))),
             qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QCOMPARE(m_document->fields(), three_tests_fields());
    QCOMPARE(m_document->data(), before_data);
    QCOMPARE(m_document->saving().saved_fields, before_saving.saved_fields);
    QCOMPARE(m_document->saving().current_file_name, before_saving.current_file_name);
    QCOMPARE(m_document->saving().data_saved, false);
}

void TestFileCommands::cancelled_open_reads_nothing() {
    m_document->load({}, {}, sample_path(QStringLiteral("three_tests.tavo")));
    m_host->log.clear();
    m_host->open_answers.push_back(std::nullopt);
    m_commands->open_file();
    QCOMPARE(m_host->log, QStringList{"open dialog"});
    QCOMPARE(m_document->data(), TestData{});
}

QTEST_GUILESS_MAIN(TestFileCommands)
#include "test_file_commands.moc"

void TestFileCommands::outside_change_is_not_overwritten_silently_data() {
    QTest::addColumn<OutsideChange>("change");
    QTest::addColumn<ChangedFileAnswer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("file_subject"); // the subject in the file afterwards
    QTest::addColumn<bool>("saved");           // the assessment on screen counts as saved
    using enum OutsideChange;
    using enum ChangedFileAnswer;
    QTest::newRow("nothing changed") << none << cancel << false << "Ours" << true;
    QTest::newRow("sed -i, Save Anyway")
        << edited_by_another_program << save_anyway << true << "Ours" << true;
    QTest::newRow("sed -i, Cancel")
        << edited_by_another_program << cancel << true << "Theirs" << false;
    QTest::newRow("sed -i, Save As...")
        << edited_by_another_program << save_as << true << "Theirs" << true;
    QTest::newRow("another window saved, Cancel")
        << saved_by_another_window << cancel << true << "Theirs" << false;
    QTest::newRow("another window saved, Save Anyway")
        << saved_by_another_window << save_anyway << true << "Ours" << true;
    QTest::newRow("rewritten in place")
        << rewritten_in_place << cancel << true << "Theirs" << false;
    QTest::newRow("removed: saved again without a question")
        << removed << cancel << false << "Ours" << true;
    QTest::newRow("touched, same bytes") << touched << cancel << false << "Ours" << true;
}

// Open, someone else changes the file, then Save: their change is replaced
// only when the user says so.
void TestFileCommands::outside_change_is_not_overwritten_silently() {
    QFETCH(OutsideChange, change);
    QFETCH(ChangedFileAnswer, answer);
    QFETCH(bool, asked);
    QFETCH(QString, file_subject);
    QFETCH(bool, saved);
    const QString path = temp_path(QStringLiteral("shared.tavo"));
    QVERIFY(QFile::copy(sample_path(QStringLiteral("three_tests.tavo")), path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    m_commands->open_command_line_file(path);
    QCOMPARE(m_document->file_name(), path);
    m_document->set_field(TypedField::subject_name, QStringLiteral("Ours"));

    // A file system that keeps whole seconds only would hide an edit made
    // within the second of the open; the size or the inode still tells.
    switch (change) {
    case OutsideChange::none:
        break;
    case OutsideChange::edited_by_another_program:
        QCOMPARE(QProcess::execute(
                     QStringLiteral("sed"),
                     {QStringLiteral("-i"), QStringLiteral("s/Ann Example/Theirs/"), path}),
                 0);
        break;
    case OutsideChange::saved_by_another_window: {
        AssessmentDocument other_document;
        FakeHost other_host;
        Sounds other_sounds;
        FileCommands other(other_document, other_host, other_sounds);
        other.open_command_line_file(path);
        other_document.set_field(TypedField::subject_name, QStringLiteral("Theirs"));
        other.save();
        QCOMPARE(other_host.log, QStringList{});
        break;
    }
    case OutsideChange::rewritten_in_place: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        bytes.replace("Ann Example", "Theirs");
        QVERIFY(file.resize(0) && file.seek(0) && file.write(bytes) == bytes.size());
        break;
    }
    case OutsideChange::removed:
        QVERIFY(QFile::remove(path));
        break;
    case OutsideChange::touched:
        QCOMPARE(QProcess::execute(QStringLiteral("touch"),
                                   {QStringLiteral("-d"), QStringLiteral("2001-02-03"), path}),
                 0);
        break;
    }
    m_host->changed_answers.push_back(answer);
    const QString other_path = temp_path(QStringLiteral("ours.tavo"));
    m_host->save_answers.push_back(other_path);
    m_host->log.clear();
    m_commands->save();

    QCOMPARE(m_host->changed_questions.size(), asked ? 1 : 0);
    if (asked) {
        QVERIFY(m_host->changed_questions[0].startsWith(
            QStringLiteral("shared.tavo was changed by another program since you opened it")));
    }
    QCOMPARE(read_assessment_file(path, {}).record.fields[0], file_subject);
    QCOMPARE(!m_document->unsaved_changes(), saved);
    const bool saved_elsewhere = answer == ChangedFileAnswer::save_as && asked;
    QCOMPARE(QFile::exists(other_path), saved_elsewhere);
    QCOMPARE(m_document->file_name(), saved_elsewhere ? other_path : path);
    if (saved_elsewhere) {
        QCOMPARE(read_assessment_file(other_path, {}).record.fields[0], QStringLiteral("Ours"));
    }
    QVERIFY(m_host->messages.isEmpty());

    // Once saved, the file is ours again: the next save asks nothing.
    if (saved) {
        m_host->log.clear();
        m_commands->save();
        QCOMPARE(m_host->log, QStringList{});
    }
}

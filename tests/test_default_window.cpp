// The main window as the administrator meets it: names, captions, initial
// values, menus, tab order and the small commands, driven offscreen.
#include "app_rig.h"
#include "color_button.h"
#include "default_window.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

using namespace tavo;

namespace {

// What happens to the assessment, one operation of the document each.
enum class Edit { complete_test, type, untype, set_delay, save, clear, open, recover };

} // namespace

Q_DECLARE_METATYPE(QList<Edit>)

class TestDefaultWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void window_caption_size_and_first_tab();
    void control_captions_data();
    void control_captions();
    void typed_fields_start_empty_and_settings_start_at_three();
    void headings_are_bold();
    void seconds_boxes_and_the_document_agree_data();
    void seconds_boxes_and_the_document_agree();
    void menu_items_data();
    void menu_items();
    void tab_order_of_the_background_tab();
    void insert_date_appends_a_line_each_time();
    void ok_moves_to_the_performance_tests();
    void colour_button_takes_the_chosen_colour_data();
    void colour_button_takes_the_chosen_colour();
    void up_down_steps_the_box_number();
    void fields_show_what_they_hold_without_changing_it_data();
    void fields_show_what_they_hold_without_changing_it();
    void typing_edits_the_document();
    void title_marks_unsaved_work_data();
    void title_marks_unsaved_work();
    void results_show_the_computed_texts_and_wipe_clears_them();
    void resizing_stretches_only_the_top_lines();
    void help_contents_opens_the_first_topic();
    void print_results_data();
    void print_results();

private:
    template <class T = QWidget> T* find(const QString& name) const {
        T* widget = m_app->main_window().findChild<T*>(name);
        if (!widget) {
            qWarning("no control named %s", qPrintable(name));
        }
        return widget;
    }
    QAction* action(const QString& name) const { return find<QAction>(name); }

    std::unique_ptr<testing::AppRig> m_rig;
    TavoApplication* m_app = nullptr;
    testing::FakeDialogs* m_dialogs = nullptr;
};

void TestDefaultWindow::init() {
    m_rig = std::make_unique<testing::AppRig>();
    m_app = m_rig->app.get();
    m_dialogs = &m_rig->dialogs;
    m_app->main_window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_app->main_window()));
}

void TestDefaultWindow::cleanup() {
    m_rig.reset();
}

void TestDefaultWindow::window_caption_size_and_first_tab() {
    DefaultWindow& window = m_app->main_window();
    QCOMPARE(window.objectName(), QStringLiteral("Default"));
    QCOMPARE(window.windowHandle()->title(), QStringLiteral("TAVO - Marlowen"));
    QCOMPARE(window.centralWidget()->size(), QSize(660, 426));
    QVERIFY(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    auto* tabs = find<QTabWidget>(QStringLiteral("Tabs"));
    QVERIFY(tabs);
    QCOMPARE(tabs->geometry(), QRect(8, 8, 648, 412));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(0), QStringLiteral("  &Background Info  "));
    QCOMPARE(tabs->tabText(1), QStringLiteral("  &Performance Tests  "));
    QCOMPARE(tabs->tabText(2), QStringLiteral("  &Test Results  "));
}

void TestDefaultWindow::control_captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const std::pair<const char*, const char*> rows[] = {
        {"Command1", "Insert Date:"},
        {"Info_ok", "OK"},
        {"TAVO_Version", "Version 1.0"},
        {"Label9", "Maximum Stimulus Delay:              Seconds"},
        {"Label10", "Maximum Hold Duration:                 Seconds"},
        {"Label16", "Stimulus Color:"},
        {"Label14", "Hold Stimulus Color:"},
        {"Label15", "Release Stimulus Color:"},
        {"Label17", "Stimulus Color:"},
        {"Act_Check_FS", "Full Screen Mode"},
        {"Rel_Check_FS", "Full Screen Mode"},
        {"Rep_Check_FS", "Full Screen Mode"},
        {"start_act_test", "Start Test"},
        {"start_rel_test", "Start Test"},
        {"start_rep_test", "Start Test"},
        {"act_frame", "Activation Test"},
        {"rel_frame", "Release Test"},
        {"rep_frame", "Repetition Test"},
        {"Label11", "Activation Test Results"},
        {"Label12", "Release Test Results "},
        {"Label13", "Repetition Test Result "},
        {"Label1", "Test Not Completed"},
        {"Label2", ""},
        {"Label3", ""},
        {"Label5", "Test Not Completed"},
        {"Label6", ""},
        {"Label7", ""},
        {"Label8", "Test Not Completed"},
        {"Label4", "TAVO Version 1.0"},
        {"Print_Results", "Print Results"},
        {"Frame1", ""},
    };
    for (const auto& [name, caption] : rows) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption);
    }
}

void TestDefaultWindow::control_captions() {
    QFETCH(QString, name);
    QWidget* widget = find(name);
    QVERIFY(widget);
    QString caption;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        caption = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        caption = button->text();
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        caption = frame->title();
    }
    QTEST(caption, "caption");
}

void TestDefaultWindow::typed_fields_start_empty_and_settings_start_at_three() {
    const AssessmentDocument& document = m_app->document();
    QCOMPARE(document.fields(), TypedFields{});
    QVERIFY(!document.unsaved_changes());
    QCOMPARE(find<QLineEdit>(QStringLiteral("act_max_select"))->text(), QStringLiteral("3"));
    QCOMPARE(find<QLineEdit>(QStringLiteral("rel_max_select"))->text(), QStringLiteral("3"));
    const QColor yellow(0xFF, 0xFF, 0x00);
    QCOMPARE(find<ColorButton>(QStringLiteral("act_color"))->face_color(), yellow);
    QCOMPARE(find<ColorButton>(QStringLiteral("Rel_hold_color"))->face_color(), yellow);
    QCOMPARE(find<ColorButton>(QStringLiteral("rel_release_color"))->face_color(),
             QColor(0x00, 0x00, 0xC0));
    QCOMPARE(find<ColorButton>(QStringLiteral("rep_color"))->face_color(), yellow);
    for (const char* name : {"Act_Check_FS", "Rel_Check_FS", "Rep_Check_FS"}) {
        QVERIFY(!find<QCheckBox>(QString::fromLatin1(name))->isChecked());
    }
    QVERIFY(find(QStringLiteral("UpDown1")));
    QVERIFY(find(QStringLiteral("UpDown2")));
    QVERIFY(find(QStringLiteral("notes")));
    for (const char* name : {"Text0", "Text1", "Text2", "Text3"}) {
        QVERIFY(find<QLineEdit>(QString::fromLatin1(name)));
    }
}

// The document owns the delay and the hold: what is typed (or stepped) goes to
// it when it is a usable setting, and what it gets elsewhere shows in the box,
// but never over text the administrator is still typing.
void TestDefaultWindow::seconds_boxes_and_the_document_agree_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("document_gets"); // -1: the document changes elsewhere
    QTest::addColumn<int>("expected_ms");
    QTest::addColumn<QString>("expected_text");
    QTest::newRow("delay typed") << "act_max_select"
                                 << "5" << -1 << 5000 << "5";
    QTest::newRow("hold typed") << "rel_max_select"
                                << "7" << -1 << 7000 << "7";
    QTest::newRow("fraction rounds") << "act_max_select"
                                     << "4.5" << -1 << 4000 << "4.5";
    QTest::newRow("no number keeps the value") << "act_max_select"
                                               << "abc" << -1 << 3000 << "abc";
    // Typed key by key: "4" was usable on the way, "40" is not.
    QTest::newRow("out of range keeps the last usable value") << "rel_max_select"
                                                              << "40" << -1 << 4000 << "40";
    QTest::newRow("delay shown back") << "act_max_select"
                                      << "" << 9000 << 9000 << "9";
    QTest::newRow("hold shown back") << "rel_max_select"
                                     << "" << 2000 << 2000 << "2";
    QTest::newRow("same value leaves typing alone") << "act_max_select"
                                                    << "3.0" << 3000 << 3000 << "3.0";
}

void TestDefaultWindow::seconds_boxes_and_the_document_agree() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, document_gets);
    AssessmentDocument& document = m_app->document();
    auto* edit = find<QLineEdit>(box);
    const bool delay = box == QStringLiteral("act_max_select");
    if (!typed.isEmpty()) {
        edit->selectAll();
        QTest::keyClicks(edit, typed);
    }
    if (document_gets >= 0) {
        const auto ms = static_cast<std::int16_t>(document_gets);
        delay ? document.set_max_delay(ms) : document.set_hold_time(ms);
    }
    // Another setting changing must not rewrite the box either.
    document.set_colour(StimulusColour::repetition, Rgb{1, 2, 3});
    QTEST(int(delay ? document.settings().max_delay_ms : document.settings().max_hold_ms),
          "expected_ms");
    QTEST(edit->text(), "expected_text");
}

void TestDefaultWindow::headings_are_bold() {
    for (const char* name : {"Label11", "Label12", "Label13"}) {
        const QFont font = find(QString::fromLatin1(name))->font();
        QVERIFY(font.bold());
        QCOMPARE(font.pointSizeF(), 13.5);
    }
    QVERIFY(find(QStringLiteral("Label4"))->font().bold());
    QCOMPARE(find(QStringLiteral("Label4"))->font().pointSizeF(), 8.25);
    QVERIFY(find(QStringLiteral("TAVO_Version"))->font().bold());
}

void TestDefaultWindow::menu_items_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("new") << "new_file_menu"
                         << "&New TAVO File" << QKeySequence() << true;
    QTest::newRow("open") << "open_file_menu"
                          << "&Open" << QKeySequence("Ctrl+O") << true;
    QTest::newRow("save") << "save_file_menu"
                          << "&Save" << QKeySequence("Ctrl+S") << true;
    QTest::newRow("save as") << "saveas_file_menu"
                             << "Save &As" << QKeySequence() << true;
    QTest::newRow("print") << "print_file_menu"
                           << "&Print Results" << QKeySequence("Ctrl+P") << true;
    QTest::newRow("exit") << "exit_file_menu"
                          << "E&xit" << QKeySequence() << true;
    QTest::newRow("switch sends") << "switch_sends_options_menu"
                                  << "&Switch Sends..." << QKeySequence() << true;
    QTest::newRow("contents") << "contents_help_menu"
                              << "&Help Contents" << QKeySequence("F1") << true;
    QTest::newRow("about") << "about_help_menu"
                           << "&About" << QKeySequence() << true;
    QTest::newRow("getting") << "getting_help_menu"
                             << "&Getting TAVO" << QKeySequence() << true;
    QTest::newRow("about corvale") << "about_corvale_help_menu"
                                   << "About &Corvale" << QKeySequence() << true;
}

void TestDefaultWindow::menu_items() {
    QFETCH(QString, name);
    QAction* item = action(name);
    QVERIFY(item);
    QTEST(item->text(), "caption");
    QTEST(item->shortcut(), "shortcut");
    QTEST(item->isEnabled(), "enabled");
}

void TestDefaultWindow::tab_order_of_the_background_tab() {
    const QStringList expected = {"Text0", "Text1",    "Text2",  "Text3",
                                  "notes", "Command1", "Info_ok"};
    QWidget* widget = find(expected.first());
    for (const QString& name : expected.mid(1)) {
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus ||
               !widget->isVisibleTo(&m_app->main_window())) {
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(widget->objectName(), name);
    }
    auto* file = find<QMenu>(QStringLiteral("file_menu"));
    QCOMPARE(file->title(), QStringLiteral("&File"));
    QCOMPARE(find<QMenu>(QStringLiteral("help_menu"))->title(), QStringLiteral("&Help"));
    QStringList order;
    for (QAction* item : file->actions()) {
        order << item->objectName();
    }
    QCOMPARE(order, (QStringList{"new_file_menu", "open_file_menu", "div3", "save_file_menu",
                                 "saveas_file_menu", "div2", "print_file_menu", "export_file_menu",
                                 "export_summary_file_menu", "compare_file_menu", "div4",
                                 "exit_file_menu"}));
}

void TestDefaultWindow::insert_date_appends_a_line_each_time() {
    const AssessmentDocument& document = m_app->document();
    auto* insert = find<QPushButton>(QStringLiteral("Command1"));
    const QString today = QString::number(QDate::currentDate().month()) + QStringLiteral("/") +
                          QString::number(QDate::currentDate().day()) + QStringLiteral("/") +
                          QString::number(QDate::currentDate().year());
    QTest::mouseClick(insert, Qt::LeftButton);
    QCOMPARE(document.field(TypedField::notes), today + QStringLiteral("\r\n"));
    QTest::mouseClick(insert, Qt::LeftButton);
    QCOMPARE(document.field(TypedField::notes),
             today + QStringLiteral("\r\n\r\n") + today + QStringLiteral("\r\n"));
    QCOMPARE(find<QPlainTextEdit>(QStringLiteral("notes"))->toPlainText(),
             today + QStringLiteral("\n\n") + today + QStringLiteral("\n"));
    // The change is an edit like any other: it is unsaved.
    QVERIFY(document.unsaved_changes());
}

void TestDefaultWindow::ok_moves_to_the_performance_tests() {
    QTest::mouseClick(find<QPushButton>(QStringLiteral("Info_ok")), Qt::LeftButton);
    QCOMPARE(find<QTabWidget>(QStringLiteral("Tabs"))->currentIndex(), 1);
}

void TestDefaultWindow::colour_button_takes_the_chosen_colour_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("cancel");
    for (const char* name : {"act_color", "Rel_hold_color", "rel_release_color", "rep_color"}) {
        QTest::addRow("%s chosen", name) << QString::fromLatin1(name) << false;
        QTest::addRow("%s cancelled", name) << QString::fromLatin1(name) << true;
    }
}

void TestDefaultWindow::colour_button_takes_the_chosen_colour() {
    QFETCH(QString, button);
    QFETCH(bool, cancel);
    auto* colour_button = find<ColorButton>(button);
    const QColor before = colour_button->face_color();
    find<QTabWidget>(QStringLiteral("Tabs"))->setCurrentIndex(1);
    m_dialogs->color_answers.push_back(cancel ? std::nullopt
                                              : std::optional<QColor>(QColor(10, 200, 30)));
    QTest::mouseClick(colour_button, Qt::LeftButton);
    QCOMPARE(m_dialogs->color_requests.size(), std::size_t{1});
    QCOMPARE(m_dialogs->color_requests[0].title, QStringLiteral("Choose a Color"));
    QCOMPARE(m_dialogs->color_requests[0].initial, before);
    QCOMPARE(m_dialogs->color_requests[0].owner, &m_app->main_window());
    QCOMPARE(colour_button->face_color(), cancel ? before : QColor(10, 200, 30));
    if (!cancel) {
        // The button says its new colour in words, for a screen reader and a tooltip.
        QVERIFY(colour_button->accessibleName().endsWith(QStringLiteral(": green, #0AC81E")));
        QVERIFY(colour_button->toolTip().contains(QStringLiteral("green, #0AC81E")));
    }
}

void TestDefaultWindow::up_down_steps_the_box_number() {
    auto* box = find<QLineEdit>(QStringLiteral("act_max_select"));
    auto* up = find(QStringLiteral("UpDown1"))->findChild<QToolButton*>(QStringLiteral("up"));
    auto* down = find(QStringLiteral("UpDown1"))->findChild<QToolButton*>(QStringLiteral("down"));
    find<QTabWidget>(QStringLiteral("Tabs"))->setCurrentIndex(1);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(box->text(), QStringLiteral("4"));
    box->setText(QStringLiteral("9"));
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(box->text(), QStringLiteral("10"));
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->text(), QStringLiteral("9"));
    box->setText(QStringLiteral("1"));
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(box->text(), QStringLiteral("1"));
    // An arrow never moves a typed number against its direction.
    box->setText(QStringLiteral("15"));
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(box->text(), QStringLiteral("15"));
    // Typed text that is no number stays until an arrow is used.
    box->setText(QStringLiteral("2.5"));
    QCOMPARE(box->text(), QStringLiteral("2.5"));
    // The release box starts at 3 though its arrows were left at 2: they step from the box.
    auto* rel_up = find(QStringLiteral("UpDown2"))->findChild<QToolButton*>(QStringLiteral("up"));
    QTest::mouseClick(rel_up, Qt::LeftButton);
    QCOMPARE(find<QLineEdit>(QStringLiteral("rel_max_select"))->text(), QStringLiteral("4"));
}

void TestDefaultWindow::fields_show_what_they_hold_without_changing_it_data() {
    QTest::addColumn<TypedFields>("fields");
    QTest::addColumn<QString>("notes_shown");
    QTest::newRow("CR LF line breaks")
        << TypedFields{"Ann", "Bo", "left", "round", "first line\r\nsecond line\r\n"}
        << "first line\nsecond line\n";
    QTest::newRow("a subject name over the editor's usual limit")
        << TypedFields{QString(40000, QChar(u'a')), "Bo", "", "", ""} << "";
    QTest::newRow("no-break space and the Unicode separators")
        << TypedFields{"Ann", "", "", "", QStringLiteral("10\u00a0cm\u2028next\u2029last")}
        << "10 cm\nnext\nlast";
    QTest::newRow("a lone CR") << TypedFields{"", "", "", "", "one\rtwo"} << "one\ntwo";
}

// What the window shows never alters what the assessment holds: an opened
// file is saved again byte for byte unless the administrator edits it.
void TestDefaultWindow::fields_show_what_they_hold_without_changing_it() {
    QFETCH(TypedFields, fields);
    AssessmentDocument& document = m_app->document();
    document.load(fields, TestData{}, QStringLiteral("/tmp/ann.tavo"));
    QCOMPARE(document.fields(), fields);
    QVERIFY(!document.unsaved_changes());
    QCOMPARE(find<QLineEdit>(QStringLiteral("Text0"))->text(), fields[0]);
    QTEST(find<QPlainTextEdit>(QStringLiteral("notes"))->toPlainText(), "notes_shown");
}

void TestDefaultWindow::typing_edits_the_document() {
    AssessmentDocument& document = m_app->document();
    document.load({"", "", "", "", QStringLiteral("10\u00a0cm")}, TestData{}, QString());
    QSignalSpy changes(&document, &AssessmentDocument::changed);
    QTest::keyClicks(find<QLineEdit>(QStringLiteral("Text2")), QStringLiteral("chin"));
    QCOMPARE(document.field(TypedField::switch_location), QStringLiteral("chin"));
    QCOMPARE(changes.size(), 4);
    // Typing in the notes keeps the no-break space the box was given.
    auto* notes = find<QPlainTextEdit>(QStringLiteral("notes"));
    notes->moveCursor(QTextCursor::End);
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, QStringLiteral("x"));
    QCOMPARE(document.field(TypedField::notes), QStringLiteral("10\u00a0cm\r\nx"));
    QVERIFY(document.unsaved_changes());
}

void TestDefaultWindow::title_marks_unsaved_work_data() {
    QTest::addColumn<QList<Edit>>("edits");
    QTest::addColumn<QString>("title");
    const QString saved = QStringLiteral("TAVO - Marlowen");
    const QString unsaved = QStringLiteral("TAVO - Marlowen*");
    using enum Edit;
    QTest::newRow("nothing done") << QList<Edit>{} << saved;
    QTest::newRow("a completed test") << QList<Edit>{complete_test} << unsaved;
    QTest::newRow("typing") << QList<Edit>{type} << unsaved;
    QTest::newRow("typing taken back") << QList<Edit>{type, untype} << saved;
    QTest::newRow("a setting is not saved with it") << QList<Edit>{set_delay} << saved;
    QTest::newRow("a test, then saved") << QList<Edit>{complete_test, type, save} << saved;
    QTest::newRow("saved, then typing") << QList<Edit>{complete_test, save, type} << unsaved;
    QTest::newRow("saved, then a test") << QList<Edit>{save, complete_test} << unsaved;
    QTest::newRow("a test, then new") << QList<Edit>{complete_test, type, clear} << saved;
    QTest::newRow("a test, then opened") << QList<Edit>{complete_test, open} << saved;
    QTest::newRow("recovered") << QList<Edit>{recover} << unsaved;
    QTest::newRow("recovered, then saved") << QList<Edit>{recover, save} << saved;
}

// The mark follows the document's signal alone: an operation that changed
// whether or where the assessment is saved without saying so would leave it
// stale.
void TestDefaultWindow::title_marks_unsaved_work() {
    QFETCH(QList<Edit>, edits);
    AssessmentDocument& document = m_app->document();
    for (const Edit edit : edits) {
        const SavingState before = document.saving();
        QSignalSpy changes(&document, &AssessmentDocument::changed);
        switch (edit) {
        case Edit::complete_test:
            document.commit(RepetitionRun{});
            break;
        case Edit::type:
            document.set_field(TypedField::switch_type, QStringLiteral("wobble"));
            break;
        case Edit::untype:
            document.set_field(TypedField::switch_type, QString());
            break;
        case Edit::set_delay:
            document.set_max_delay(5000);
            break;
        case Edit::save:
            document.mark_saved(QStringLiteral("/tmp/ann.tavo"));
            break;
        case Edit::clear:
            document.clear();
            break;
        case Edit::open:
            document.load(TypedFields{}, TestData{}, QStringLiteral("/tmp/ann.tavo"));
            break;
        case Edit::recover:
            document.recover(TypedFields{}, TestData{}, QStringLiteral("/tmp/ann.tavo"));
            break;
        }
        const SavingState& after = document.saving();
        if (after.data_saved != before.data_saved || after.saved_fields != before.saved_fields ||
            after.current_file_name != before.current_file_name) {
            QVERIFY(!changes.isEmpty());
        }
    }
    QTEST(m_app->main_window().windowHandle()->title(), "title");
}

void TestDefaultWindow::results_show_the_computed_texts_and_wipe_clears_them() {
    AssessmentDocument& document = m_app->document();
    TimedRun activation;
    for (int i = 0; i < trials_per_test; ++i) {
        activation.readings.onsets[i] = 1000 * (i + 1);
        activation.readings.responses[i] = 1000 * (i + 1) + 250;
    }
    document.commit(TestKind::activation, activation);
    RepetitionRun repetition;
    repetition.readings.first_press = 5000;
    repetition.readings.click_times[4] = 9321;
    document.commit(repetition);
    QCOMPARE(find<QLabel>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Average Response Time: 00:00.250"));
    QCOMPARE(find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("Fastest = 00:00.250"));
    QCOMPARE(find<QLabel>(QStringLiteral("Label3"))->text(), QStringLiteral("Slowest = 00:00.250"));
    QCOMPARE(find<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("Test Not Completed"));
    QCOMPARE(find<QLabel>(QStringLiteral("Label8"))->text(),
             QStringLiteral("Time For 5 Clicks: 00:04.321"));
    QVERIFY(!document.saving().data_saved);

    QTest::keyClicks(find<QLineEdit>(QStringLiteral("Text0")), QStringLiteral("Ann"));
    find<QTabWidget>(QStringLiteral("Tabs"))->setCurrentIndex(2);
    document.recover(document.fields(), document.data(), QStringLiteral("/tmp/ann.tavo"));
    find<QLineEdit>(QStringLiteral("act_max_select"))->setText(QStringLiteral("7"));
    document.clear();
    QCOMPARE(document.data(), TestData{});
    QCOMPARE(document.fields(), TypedFields{});
    QCOMPARE(find<QLineEdit>(QStringLiteral("Text0"))->text(), QString());
    QCOMPARE(document.saving().saved_fields, TypedFields{});
    QCOMPARE(document.file_name(), QString());
    QCOMPARE(find<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("Test Not Completed"));
    QCOMPARE(find<QLabel>(QStringLiteral("Label8"))->text(), QStringLiteral("Test Not Completed"));
    // The results that waited to be saved are gone with it.
    QVERIFY(document.saving().data_saved);
    // Not part of the assessment: left as they were.
    QCOMPARE(find<QLineEdit>(QStringLiteral("act_max_select"))->text(), QStringLiteral("7"));
    QCOMPARE(find<QTabWidget>(QStringLiteral("Tabs"))->currentIndex(), 2);
}

void TestDefaultWindow::resizing_stretches_only_the_top_lines() {
    DefaultWindow& window = m_app->main_window();
    auto* tabs = find<QTabWidget>(QStringLiteral("Tabs"));
    const QRect tabs_before = tabs->geometry();
    window.resize(1100, 800);
    QTRY_COMPARE(window.centralWidget()->width(), 1100);
    QCOMPARE(find(QStringLiteral("Line1"))->geometry().left(), 0);
    QCOMPARE(find(QStringLiteral("Line1"))->width(), 1100);
    QCOMPARE(find(QStringLiteral("Line2"))->width(), 1100);
    QCOMPARE(tabs->geometry(), tabs_before);
}

void TestDefaultWindow::help_contents_opens_the_first_topic() {
    action(QStringLiteral("contents_help_menu"))->trigger();
    QCOMPARE(m_dialogs->help_requests.size(), 1);
    QCOMPARE(m_dialogs->help_requests[0].second, 1);
}

void TestDefaultWindow::print_results_data() {
    QTest::addColumn<bool>("from_menu");
    QTest::addColumn<std::optional<int>>("copies");
    QTest::addColumn<bool>("details");
    QTest::addColumn<int>("pages"); // 0: no document at all
    QTest::newRow("cancelled") << true << std::optional<int>() << false << 0;
    QTest::newRow("no copies") << false << std::optional<int>(0) << false << 0;
    QTest::newRow("one copy from the menu") << true << std::optional<int>(1) << false << 1;
    QTest::newRow("two copies from the button") << false << std::optional<int>(2) << false << 2;
    QTest::newRow("two copies with details") << true << std::optional<int>(2) << true << 4;
}

void TestDefaultWindow::print_results() {
    QFETCH(bool, from_menu);
    QFETCH(std::optional<int>, copies);
    QTemporaryDir dir;
    m_rig->printer_dialog.pdf_path = dir.filePath(QStringLiteral("sheet.pdf"));
    m_rig->printer_dialog.answers.push_back(copies);
    QFETCH(bool, details);
    m_rig->printer_dialog.include_details = details;
    if (from_menu) {
        action(QStringLiteral("print_file_menu"))->trigger();
    } else {
        find<QTabWidget>(QStringLiteral("Tabs"))->setCurrentIndex(2);
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Print_Results")), Qt::LeftButton);
    }
    QCOMPARE(m_rig->printer_dialog.titles, QStringList{"Choose Printer"});
    QFETCH(int, pages);
    QFile pdf(m_rig->printer_dialog.pdf_path);
    QCOMPARE(pdf.exists(), pages > 0);
    if (pages > 0) {
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QString content = QString::fromLatin1(pdf.readAll());
        QCOMPARE(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), pages);
    }
    QVERIFY(m_dialogs->messages.isEmpty());
}

QTEST_MAIN(TestDefaultWindow)
#include "test_default_window.moc"

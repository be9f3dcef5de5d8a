#include "default_window.h"

#include "color_button.h"
#include "design_font.h"
#include "dialogs.h"
#include "insert_date.h"
#include "notes_edit.h"
#include "svg_picture.h"
#include "switch_sends_dialog.h"
#include "twips.h"
#include "up_down.h"
#include "version.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <limits>

namespace tavo {

namespace {

constexpr int design_client_width = 9900;
constexpr int design_client_height = 6390;
const QString help_file = QStringLiteral("tavo-help.html");
const QString crlf = QStringLiteral("\r\n");

QFont bold_font(const QFont& base, double point_size) {
    QFont font = base;
    font.setBold(true);
    font.setPointSizeF(point_size);
    return font;
}

QFrame* separator_line(QWidget* parent, const QString& name, Qt::Orientation orientation) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(orientation == Qt::Horizontal ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

DefaultWindow::DefaultWindow(AssessmentDocument& document, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_dialogs(dialogs) {
    setObjectName(QStringLiteral("Default"));
    setWindowTitle(QStringLiteral("TAVO - Marlowen"));
    setFont(design_font(font()));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setMinimumSize(twips_size(design_client_width, design_client_height));
    setCentralWidget(client);

    m_top_shadow_line = new QFrame(client);
    m_top_shadow_line->setObjectName(QStringLiteral("Line1"));
    m_top_highlight_line = new QFrame(client);
    m_top_highlight_line->setObjectName(QStringLiteral("Line2"));
    m_top_shadow_line->setAutoFillBackground(true);
    m_top_highlight_line->setAutoFillBackground(true);
    m_top_shadow_line->setBackgroundRole(QPalette::Dark);
    m_top_highlight_line->setBackgroundRole(QPalette::Light);

    m_tabs = new QTabWidget(client);
    m_tabs->setObjectName(QStringLiteral("Tabs"));
    m_tabs->setGeometry(twips_rect(120, 120, 9720, 6180));
    auto* background = new QWidget;
    auto* performance = new QWidget;
    auto* results = new QWidget;
    m_tabs->addTab(background, QStringLiteral("  &Background Info  "));
    m_tabs->addTab(performance, QStringLiteral("  &Performance Tests  "));
    m_tabs->addTab(results, QStringLiteral("  &Test Results  "));
    // Positions on the tabs are designed from the tab control's own corner;
    // the pages start below the row of tab captions.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_tabs);
    m_page_origin = QPoint(frame, m_tabs->tabBar()->sizeHint().height() + frame);

    build_menus();
    build_background_tab(background);
    build_performance_tab(performance);
    build_results_tab(results);
    m_tabs->setCurrentIndex(0);
    m_field_edits[0]->setFocus();
    connect(&m_document, &AssessmentDocument::changed, this, &DefaultWindow::show_document);
    show_fields();
    show_settings();
    show_results();

    resize(twips_size(design_client_width, design_client_height) +
           QSize(0, menuBar()->sizeHint().height()));
    stretch_top_lines();
}

DefaultWindow::~DefaultWindow() = default;

void DefaultWindow::build_menus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menu_bar"));
    auto add_item = [this](QMenu* menu, const QString& name, const QString& caption,
                           const QKeySequence& shortcut = {}) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        return action;
    };
    auto add_divider = [](QMenu* menu, const QString& name) {
        menu->addSeparator()->setObjectName(name);
    };

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("file_menu"));
    // The file commands are carried out by whoever listens to their signals.
    connect(add_item(file, QStringLiteral("new_file_menu"), QStringLiteral("&New TAVO File")),
            &QAction::triggered, this, &DefaultWindow::new_requested);
    connect(add_item(file, QStringLiteral("open_file_menu"), QStringLiteral("&Open"),
                     QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &DefaultWindow::open_requested);
    add_divider(file, QStringLiteral("div3"));
    connect(add_item(file, QStringLiteral("save_file_menu"), QStringLiteral("&Save"),
                     QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &DefaultWindow::save_requested);
    connect(add_item(file, QStringLiteral("saveas_file_menu"), QStringLiteral("Save &As")),
            &QAction::triggered, this, &DefaultWindow::save_as_requested);
    add_divider(file, QStringLiteral("div2"));
    connect(add_item(file, QStringLiteral("print_file_menu"), QStringLiteral("&Print Results"),
                     QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &DefaultWindow::print_requested);
    connect(
        add_item(file, QStringLiteral("export_file_menu"), QStringLiteral("&Export Trial Data...")),
        &QAction::triggered, this, &DefaultWindow::export_trial_data_requested);
    connect(add_item(file, QStringLiteral("export_summary_file_menu"),
                     QStringLiteral("Export Test &Figures...")),
            &QAction::triggered, this, &DefaultWindow::export_summary_requested);
    connect(add_item(file, QStringLiteral("compare_file_menu"),
                     QStringLiteral("&Compare Assessments...")),
            &QAction::triggered, this, &DefaultWindow::compare_requested);
    add_divider(file, QStringLiteral("div4"));
    connect(add_item(file, QStringLiteral("exit_file_menu"), QStringLiteral("E&xit")),
            &QAction::triggered, this, &DefaultWindow::exit_requested);

    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("options_menu"));
    connect(add_item(options, QStringLiteral("switch_sends_options_menu"),
                     QStringLiteral("&Switch Sends...")),
            &QAction::triggered, this, &DefaultWindow::choose_switch_sends);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("help_menu"));
    connect(add_item(help, QStringLiteral("contents_help_menu"), QStringLiteral("&Help Contents"),
                     QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, [this] { m_dialogs.show_help(this, help_file, 1); });
    add_divider(help, QStringLiteral("div"));
    connect(add_item(help, QStringLiteral("about_help_menu"), QStringLiteral("&About")),
            &QAction::triggered, this, &DefaultWindow::about_requested);
    connect(add_item(help, QStringLiteral("getting_help_menu"), QStringLiteral("&Getting TAVO")),
            &QAction::triggered, this, &DefaultWindow::getting_tavo_requested);
    connect(
        add_item(help, QStringLiteral("about_corvale_help_menu"), QStringLiteral("About &Corvale")),
        &QAction::triggered, this, &DefaultWindow::about_corvale_requested);
}

void DefaultWindow::set_switch_sends(SwitchSends choice) {
    if (choice != m_switch_sends) {
        m_switch_sends = choice;
        Q_EMIT switch_sends_changed(choice);
    }
}

void DefaultWindow::choose_switch_sends() {
    // Modal, but without a nested event loop: the answer comes with accepted().
    auto* dialog = new SwitchSendsDialog(m_switch_sends, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { set_switch_sends(dialog->choice()); });
    dialog->open();
}

void DefaultWindow::place_on_tab(QWidget* widget, QRect twips) {
    const QRect rect = twips_rect(twips.x(), twips.y(), twips.width(), twips.height());
    widget->setGeometry(rect.translated(-m_page_origin));
}

QLabel* DefaultWindow::add_label(QWidget* parent, const QString& name, const QString& text,
                                 QRect twips) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(twips_rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return label;
}

void DefaultWindow::build_background_tab(QWidget* page) {
    struct Field {
        const char* box;
        const char* label;
        const char* caption;
        int top;
    };
    const Field fields[] = {{"Text0", "Label18", "Subject Name:", 600},
                            {"Text1", "Label19", "Administrator:", 1080},
                            {"Text2", "Label20", "Switch Location:", 1800},
                            {"Text3", "Label21", "Switch Type:", 2280}};
    for (std::size_t i = 0; i < m_field_edits.size(); ++i) {
        const Field& field = fields[i];
        auto* box = new QLineEdit(page);
        box->setObjectName(QString::fromLatin1(field.box));
        // A field holds whatever length its file holds: nothing is cut on open.
        box->setMaxLength(std::numeric_limits<int>::max());
        const auto which = static_cast<TypedField>(i);
        connect(box, &QLineEdit::textChanged, this,
                [this, which](const QString& text) { m_document.set_field(which, text); });
        box->setAccessibleName(QString::fromLatin1(field.caption).chopped(1));
        place_on_tab(box, QRect(1560, field.top, 3735, 315));
        auto* label = new QLabel(QString::fromLatin1(field.caption), page);
        label->setObjectName(QString::fromLatin1(field.label));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(box);
        place_on_tab(label, QRect(120, field.top, 1380, 315));
        m_field_edits[i] = box;
    }

    auto* notes_label = new QLabel(QStringLiteral("Notes:"), page);
    notes_label->setObjectName(QStringLiteral("Label22"));
    place_on_tab(notes_label, QRect(5640, 480, 1455, 240));
    m_notes_edit = new QPlainTextEdit(page);
    m_notes_edit->setObjectName(QStringLiteral("notes"));
    m_notes_edit->setAccessibleName(QStringLiteral("Notes"));
    m_notes_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notes_edit->setTabChangesFocus(true);
    connect(m_notes_edit, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing_notes) {
            const QString box_text = m_notes_edit->document()->toRawText();
            m_notes_shown =
                notes_after_edit(m_document.field(TypedField::notes), m_notes_box_text, box_text);
            m_notes_box_text = box_text;
            m_document.set_field(TypedField::notes, m_notes_shown);
        }
    });
    notes_label->setBuddy(m_notes_edit);
    place_on_tab(m_notes_edit, QRect(5640, 720, 3855, 1815));

    auto* insert = new QPushButton(QStringLiteral("Insert Date:"), page);
    insert->setObjectName(QStringLiteral("Command1"));
    insert->setToolTip(tr("Adds today's date to the notes on a line of its own"));
    place_on_tab(insert, QRect(8040, 2640, 1455, 375));
    connect(insert, &QPushButton::clicked, this, &DefaultWindow::insert_date);

    auto* ok = new QPushButton(QStringLiteral("OK"), page);
    ok->setObjectName(QStringLiteral("Info_ok"));
    ok->setToolTip(tr("Go on to the Performance Tests"));
    place_on_tab(ok, QRect(4080, 2880, 1215, 375));
    connect(ok, &QPushButton::clicked, this, [this] { m_tabs->setCurrentIndex(1); });

    auto* picture = new SvgPicture(QStringLiteral(":/images/clinician_switch.svg"),
                                   tr("A hand reaching for a switch"), page);
    picture->setObjectName(QStringLiteral("Image7"));
    place_on_tab(picture, QRect(240, 4560, 1215, 1215));
    auto* version = new QLabel(QString::fromLatin1(version_caption), page);
    version->setObjectName(QStringLiteral("TAVO_Version"));
    version->setFont(bold_font(font(), 8.25));
    place_on_tab(version, QRect(1560, 5400, 1815, 255));
    auto* logo = new SvgPicture(QStringLiteral(":/images/logo.svg"), tr("TAVO"), page);
    logo->setObjectName(QStringLiteral("Picture1"));
    place_on_tab(logo, QRect(5760, 4680, 3735, 1095));

    setTabOrder(m_field_edits[0], m_field_edits[1]);
    setTabOrder(m_field_edits[1], m_field_edits[2]);
    setTabOrder(m_field_edits[2], m_field_edits[3]);
    setTabOrder(m_field_edits[3], m_notes_edit);
    setTabOrder(m_notes_edit, insert);
    setTabOrder(insert, ok);
}

QGroupBox* DefaultWindow::build_test_frame(QWidget* page, const QString& name,
                                           const QString& caption, int top, int height) {
    auto* frame = new QGroupBox(caption, page);
    frame->setObjectName(name);
    place_on_tab(frame, QRect(120, top, 9375, height));
    return frame;
}

ColorButton* DefaultWindow::add_color_button(QWidget* parent, const QString& name,
                                             StimulusColour which, const QString& label_text,
                                             QRect twips) {
    auto* button = new ColorButton(to_qcolor(m_document.colour(which)), parent);
    button->setObjectName(name);
    // The test's name first: three frames have a "Stimulus Color", and a
    // screen reader must tell them apart.
    button->set_purpose(qobject_cast<QGroupBox*>(parent)->title() + QStringLiteral(": ") +
                        label_text.chopped(1));
    button->setGeometry(twips_rect(twips.x(), twips.y(), twips.width(), twips.height()));
    connect(button, &QPushButton::clicked, this, [this, which] { choose_color(which); });
    m_colour_buttons[static_cast<std::size_t>(which)] = button;
    return button;
}

QCheckBox* DefaultWindow::add_full_screen(QGroupBox* frame, const QString& name, SwitchTest test,
                                          int top) {
    auto* check = new QCheckBox(QStringLiteral("Full Screen Mode"), frame);
    check->setObjectName(name);
    check->setAccessibleName(frame->title() + QStringLiteral(": Full Screen Mode"));
    check->setGeometry(twips_rect(1440, top, 2415, 315));
    connect(check, &QCheckBox::toggled, this,
            [this, test](bool on) { m_document.set_full_screen(test, on); });
    m_full_screen_boxes[static_cast<std::size_t>(test)] = check;
    return check;
}

QLineEdit* DefaultWindow::add_seconds_box(QGroupBox* frame, const QString& box_name,
                                          const QString& updown_name, const QString& label_name,
                                          const QString& caption, int updown_position) {
    // The caption holds a gap of blanks where the box sits.
    QLabel* label = add_label(frame, label_name, caption, QRect(1440, 360, 5040, 315));
    auto* box = new QLineEdit(QStringLiteral("3"), frame);
    box->setObjectName(box_name);
    box->setAlignment(Qt::AlignRight);
    const QString setting =
        frame->title() + QStringLiteral(": ") + caption.section(QChar(u':'), 0, 0);
    box->setAccessibleName(setting + tr(" in seconds"));
    label->setBuddy(box);
    // The box and its arrows fill the gap between the colon and "Seconds".
    const QFontMetrics metrics = label->fontMetrics();
    const QString before_gap = caption.section(QChar(u':'), 0, 0) + QStringLiteral(": ");
    const int gap_start = label->x() + metrics.horizontalAdvance(before_gap);
    const int gap_end = label->x() + metrics.horizontalAdvance(caption.trimmed().chopped(7));
    const int arrows_width = px(210);
    const int box_width = std::max(px(300), gap_end - gap_start - arrows_width - 2);
    box->setGeometry(gap_start, label->y(), box_width, label->height());
    auto* updown = new UpDownControl(box, updown_position, frame);
    updown->setObjectName(updown_name);
    updown->set_purpose(setting);
    updown->setGeometry(box->geometry().right() + 1, box->y(), arrows_width, box->height());
    return box;
}

void DefaultWindow::build_performance_tab(QWidget* page) {
    // Start Test, and under it Practice: the same test, nothing of it stored.
    auto add_start = [this](QGroupBox* frame, const QString& test_name,
                            void (DefaultWindow::*start_test)(bool)) {
        auto* start = new QPushButton(QStringLiteral("Start Test"), frame);
        start->setObjectName(QStringLiteral("start_") + test_name);
        start->setAccessibleName(QStringLiteral("Start ") + frame->title());
        start->setGeometry(twips_rect(7680, 480, 1455, 495));
        connect(start, &QPushButton::clicked, this,
                [this, start_test] { (this->*start_test)(false); });
        auto* practice = new QPushButton(QStringLiteral("Practice"), frame);
        practice->setObjectName(QStringLiteral("practice_") + test_name);
        practice->setAccessibleName(QStringLiteral("Practice ") + frame->title());
        practice->setGeometry(twips_rect(7680, 1080, 1455, 495));
        connect(practice, &QPushButton::clicked, this,
                [this, start_test] { (this->*start_test)(true); });
    };

    QGroupBox* act = build_test_frame(page, QStringLiteral("act_frame"),
                                      QStringLiteral("Activation Test"), 480, 1695);
    auto* activation_picture = new SvgPicture(QStringLiteral(":/images/hand_on_switch.svg"),
                                              tr("A hand pressing a round yellow switch"), act);
    activation_picture->setObjectName(QStringLiteral("Image1"));
    activation_picture->setGeometry(twips_rect(120, 240, 1020, 1335));
    m_max_delay_edit = add_seconds_box(
        act, QStringLiteral("act_max_select"), QStringLiteral("UpDown1"), QStringLiteral("Label9"),
        QStringLiteral("Maximum Stimulus Delay:              Seconds"), 3);
    add_label(act, QStringLiteral("Label16"), QStringLiteral("Stimulus Color:"),
              QRect(1440, 840, 1575, 315));
    add_color_button(act, QStringLiteral("act_color"), StimulusColour::activation,
                     QStringLiteral("Stimulus Color:"), QRect(3120, 795, 615, 375));
    add_full_screen(act, QStringLiteral("Act_Check_FS"), SwitchTest::activation, 1275);
    add_start(act, QStringLiteral("act_test"), &DefaultWindow::start_activation_test);

    QGroupBox* rel = build_test_frame(page, QStringLiteral("rel_frame"),
                                      QStringLiteral("Release Test"), 2280, 1815);
    auto* release_picture = new SvgPicture(QStringLiteral(":/images/hand_holding_switch.svg"),
                                           tr("A hand holding a switch down"), rel);
    release_picture->setObjectName(QStringLiteral("Image2"));
    release_picture->setGeometry(twips_rect(120, 240, 1020, 1335));
    m_max_hold_edit = add_seconds_box(
        rel, QStringLiteral("rel_max_select"), QStringLiteral("UpDown2"), QStringLiteral("Label10"),
        QStringLiteral("Maximum Hold Duration:                 Seconds"), 2);
    add_label(rel, QStringLiteral("Label14"), QStringLiteral("Hold Stimulus Color:"),
              QRect(1440, 840, 1935, 315));
    add_color_button(rel, QStringLiteral("Rel_hold_color"), StimulusColour::release_hold,
                     QStringLiteral("Hold Stimulus Color:"), QRect(3480, 795, 615, 375));
    add_label(rel, QStringLiteral("Label15"), QStringLiteral("Release Stimulus Color:"),
              QRect(4440, 840, 2175, 315));
    add_color_button(rel, QStringLiteral("rel_release_color"), StimulusColour::release_cue,
                     QStringLiteral("Release Stimulus Color:"), QRect(6720, 795, 615, 375));
    add_full_screen(rel, QStringLiteral("Rel_Check_FS"), SwitchTest::release, 1320);
    add_start(rel, QStringLiteral("rel_test"), &DefaultWindow::start_release_test);

    QGroupBox* rep = build_test_frame(page, QStringLiteral("rep_frame"),
                                      QStringLiteral("Repetition Test"), 4200, 1695);
    auto* repetition_picture =
        new SvgPicture(QStringLiteral(":/images/red_switch.svg"), tr("A round red switch"), rep);
    repetition_picture->setObjectName(QStringLiteral("Image3"));
    repetition_picture->setGeometry(twips_rect(120, 240, 1035, 960));
    add_label(rep, QStringLiteral("Label17"), QStringLiteral("Stimulus Color:"),
              QRect(1440, 480, 1575, 315));
    add_color_button(rep, QStringLiteral("rep_color"), StimulusColour::repetition,
                     QStringLiteral("Stimulus Color:"), QRect(3120, 435, 615, 375));
    add_full_screen(rep, QStringLiteral("Rep_Check_FS"), SwitchTest::repetition, 960);
    add_start(rep, QStringLiteral("rep_test"), &DefaultWindow::start_repetition_test);
}

void DefaultWindow::build_results_tab(QWidget* page) {
    const QFont heading = bold_font(font(), 13.5);
    struct Block {
        const char* heading_name;
        const char* heading_text;
        const char* image_name;
        const char* image_file;
        const char* image_text;
        int top;
    };
    const Block blocks[] = {
        {"Label11", "Activation Test Results", "Image4", "results_activation.svg",
         "Activation test", 480},
        {"Label12", "Release Test Results ", "Image5", "results_release.svg", "Release test", 2160},
        {"Label13", "Repetition Test Result ", "Image6", "results_repetition.svg",
         "Repetition test", 3840}};
    for (const Block& block : blocks) {
        auto* title = new QLabel(QString::fromLatin1(block.heading_text), page);
        title->setObjectName(QString::fromLatin1(block.heading_name));
        title->setFont(heading);
        place_on_tab(title, QRect(1560, block.top, 5535, 375));
        auto* picture =
            new SvgPicture(QStringLiteral(":/images/") + QString::fromLatin1(block.image_file),
                           tr(block.image_text), page);
        picture->setObjectName(QString::fromLatin1(block.image_name));
        place_on_tab(picture, QRect(240, block.top + 120, 1095, 1095));
    }

    struct ResultLabel {
        const char* name;
        int left;
        int top;
        int width;
    };
    const ResultLabel labels[] = {{"Label1", 1560, 960, 2700},  {"Label2", 4320, 960, 1860},
                                  {"Label3", 6240, 960, 1860},  {"Label5", 1560, 2640, 2700},
                                  {"Label6", 4320, 2640, 1860}, {"Label7", 6240, 2640, 1860},
                                  {"Label8", 1560, 4440, 4800}};
    for (std::size_t i = 0; i < m_result_labels.size(); ++i) {
        auto* label = new QLabel(page);
        label->setObjectName(QString::fromLatin1(labels[i].name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place_on_tab(label, QRect(labels[i].left, labels[i].top, labels[i].width, 480));
        m_result_labels[i] = label;
    }

    const struct {
        const char* name;
        QRect twips;
        Qt::Orientation orientation;
    } lines[] = {{"Line3", QRect(120, 1800, 9480, 30), Qt::Horizontal},
                 {"Line4", QRect(120, 3480, 9480, 30), Qt::Horizontal},
                 {"Line5", QRect(120, 5160, 6240, 30), Qt::Horizontal},
                 {"Line6", QRect(1440, 600, 30, 4440), Qt::Vertical}};
    for (const auto& line : lines) {
        place_on_tab(separator_line(page, QString::fromLatin1(line.name), line.orientation),
                     line.twips);
    }

    auto* version =
        new QLabel(QStringLiteral("TAVO ") + QString::fromLatin1(version_caption), page);
    version->setObjectName(QStringLiteral("Label4"));
    version->setFont(bold_font(font(), 8.25));
    place_on_tab(version, QRect(240, 5520, 2775, 255));

    auto* print_frame = new QGroupBox(page);
    print_frame->setObjectName(QStringLiteral("Frame1"));
    place_on_tab(print_frame, QRect(6600, 3840, 2895, 1935));
    auto* printer =
        new SvgPicture(QStringLiteral(":/images/printer.svg"), tr("Printer"), print_frame);
    printer->setObjectName(QStringLiteral("Image8"));
    printer->setGeometry(twips_rect(240, 360, 960, 960));
    auto* print = new QPushButton(QStringLiteral("Print Results"), print_frame);
    print->setObjectName(QStringLiteral("Print_Results"));
    print->setGeometry(twips_rect(1320, 600, 1455, 495));
    connect(print, &QPushButton::clicked, this, &DefaultWindow::print_requested);
    // Every trial of the assessment, in the frame's free space under Print
    // Results; Ctrl+D opens it from any tab.
    auto* details = new QPushButton(QStringLiteral("Trial &Details..."), print_frame);
    details->setObjectName(QStringLiteral("Trial_Details_Button"));
    details->setGeometry(twips_rect(1320, 1260, 1455, 495));
    details->setToolTip(QStringLiteral("Every trial of each test, with a chart (Ctrl+D)"));
    connect(details, &QPushButton::clicked, this, &DefaultWindow::trial_details_requested);
    auto* details_key = new QAction(this);
    details_key->setObjectName(QStringLiteral("trial_details_key"));
    details_key->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction(details_key);
    connect(details_key, &QAction::triggered, this, &DefaultWindow::trial_details_requested);
}

void DefaultWindow::show_document(DocumentChange what) {
    switch (what) {
    case DocumentChange::fields:
        show_fields();
        break;
    case DocumentChange::settings:
        show_settings();
        break;
    case DocumentChange::readings:
        show_fields();
        show_results();
        break;
    case DocumentChange::saving:
        break;
    }
}

void DefaultWindow::show_fields() {
    for (std::size_t i = 0; i < m_field_edits.size(); ++i) {
        const QString& text = m_document.field(static_cast<TypedField>(i));
        if (m_field_edits[i]->text() != text) {
            m_field_edits[i]->setText(text);
        }
    }
    const QString& notes = m_document.field(TypedField::notes);
    if (notes != m_notes_shown) {
        m_notes_shown = notes;
        QString plain = notes;
        plain.replace(crlf, QStringLiteral("\n"));
        m_showing_notes = true;
        m_notes_edit->setPlainText(plain);
        m_notes_box_text = m_notes_edit->document()->toRawText();
        m_showing_notes = false;
        m_notes_edit->moveCursor(QTextCursor::End);
    }
}

void DefaultWindow::show_settings() {
    for (std::size_t i = 0; i < m_colour_buttons.size(); ++i) {
        m_colour_buttons[i]->set_face_color(
            to_qcolor(m_document.colour(static_cast<StimulusColour>(i))));
    }
    for (std::size_t i = 0; i < m_full_screen_boxes.size(); ++i) {
        m_full_screen_boxes[i]->setChecked(m_document.full_screen(static_cast<SwitchTest>(i)));
    }
}

void DefaultWindow::show_results() {
    const ResultTexts texts = m_document.results();
    const QString* values[] = {&texts.activation_average, &texts.activation_fastest,
                               &texts.activation_slowest, &texts.release_average,
                               &texts.release_fastest,    &texts.release_slowest,
                               &texts.five_clicks};
    for (std::size_t i = 0; i < m_result_labels.size(); ++i) {
        m_result_labels[i]->setText(*values[i]);
    }
}

void DefaultWindow::insert_date() {
    m_document.set_field(TypedField::notes,
                         notes_with_date(m_document.field(TypedField::notes), QDate::currentDate(),
                                         regional_date_separator(QLocale::system())));
}

std::optional<std::int16_t> DefaultWindow::seconds_setting(const QLineEdit* box,
                                                           const QString& name) {
    const SettingCheck check = check_seconds_setting(box->text(), name, QLocale::system());
    if (!check.milliseconds) {
        m_dialogs.show_message(this, check.refusal);
    }
    return check.milliseconds;
}

void DefaultWindow::start_activation_test(bool practice) {
    if (const auto delay = seconds_setting(m_max_delay_edit, tr("maximum stimulus delay"))) {
        m_document.set_max_delay(*delay);
        Q_EMIT activation_test_requested(practice);
    }
}

void DefaultWindow::start_release_test(bool practice) {
    if (const auto hold = seconds_setting(m_max_hold_edit, tr("maximum hold duration"))) {
        m_document.set_hold_time(*hold);
        Q_EMIT release_test_requested(practice);
    }
}

void DefaultWindow::start_repetition_test(bool practice) {
    Q_EMIT repetition_test_requested(practice);
}

void DefaultWindow::choose_color(StimulusColour which) {
    const std::optional<QColor> chosen = m_dialogs.choose_color(
        this, to_qcolor(m_document.colour(which)), QStringLiteral("Choose a Color"));
    if (chosen) {
        m_document.set_colour(which, to_rgb(*chosen));
    }
}

void DefaultWindow::stretch_top_lines() {
    const int width = centralWidget()->width();
    m_top_shadow_line->setGeometry(0, 0, width, 1);
    m_top_highlight_line->setGeometry(0, px(12) > 0 ? px(12) : 1, width, 1);
}

// The window never closes by itself: closing it is a request to exit, which
// either ends the program or asks about unsaved work first.
void DefaultWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT exit_requested();
}

void DefaultWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    stretch_top_lines();
}

void DefaultWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_centred && screen()) {
        m_centred = true;
        QRect frame = frameGeometry();
        frame.moveCenter(screen()->availableGeometry().center());
        move(frame.topLeft());
    }
    stretch_top_lines();
}

} // namespace tavo

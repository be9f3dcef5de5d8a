#include "results_tab.h"

#include "svg_picture.h"
#include "version.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>

namespace tavo {

namespace {

QFrame* separator_line(QWidget* parent, const QString& name, Qt::Orientation orientation) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(orientation == Qt::Horizontal ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

ResultsTab::ResultsTab(QWidget* parent)
    : TabPage(parent) {
    QWidget* page = this;
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
        place(title, QRect(1560, block.top, 5535, 375));
        auto* picture =
            new SvgPicture(QStringLiteral(":/images/") + QString::fromLatin1(block.image_file),
                           tr(block.image_text), page);
        picture->setObjectName(QString::fromLatin1(block.image_name));
        place(picture, QRect(240, block.top + 120, 1095, 1095));
    }

    struct ResultLabel {
        const char* name;
        int left;
        int top;
        int width;
    };
    // The notes sit in the free row under their test's figures, above the
    // line that closes its block.
    const auto result_label = [this, page](const ResultLabel& where, int height = 480) {
        auto* label = new QLabel(page);
        label->setObjectName(QString::fromLatin1(where.name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(label, QRect(where.left, where.top, where.width, height));
        return label;
    };
    const ResultLabel activation[] = {{"Label1", 1560, 960, 2700},
                                      {"Label2", 4320, 960, 1860},
                                      {"Label3", 6240, 960, 1860},
                                      {"act_trials_recorded", 1560, 1440, 6540}};
    const ResultLabel release[] = {{"Label5", 1560, 2640, 2700},
                                   {"Label6", 4320, 2640, 1860},
                                   {"Label7", 6240, 2640, 1860},
                                   {"rel_trials_recorded", 1560, 3120, 6540}};
    for (std::size_t i = 0; i < m_activation_labels.size(); ++i) {
        const int height = i == m_activation_labels.size() - 1 ? 300 : 480;
        m_activation_labels[i] = result_label(activation[i], height);
        m_release_labels[i] = result_label(release[i], height);
    }
    m_five_clicks_label = result_label({"Label8", 1560, 4440, 4800});
    m_clicks_recorded_label = result_label({"rep_clicks_recorded", 1560, 4800, 4800}, 300);

    const struct {
        const char* name;
        QRect twips;
        Qt::Orientation orientation;
    } lines[] = {{"Line3", QRect(120, 1800, 9480, 30), Qt::Horizontal},
                 {"Line4", QRect(120, 3480, 9480, 30), Qt::Horizontal},
                 {"Line5", QRect(120, 5160, 6240, 30), Qt::Horizontal},
                 {"Line6", QRect(1440, 600, 30, 4440), Qt::Vertical}};
    for (const auto& line : lines) {
        place(separator_line(page, QString::fromLatin1(line.name), line.orientation), line.twips);
    }

    auto* version =
        new QLabel(QStringLiteral("TAVO ") + QString::fromLatin1(version_caption), page);
    version->setObjectName(QStringLiteral("Label4"));
    version->setFont(bold_font(font(), 8.25));
    place(version, QRect(240, 5520, 2775, 255));

    auto* print_frame = new QGroupBox(page);
    print_frame->setObjectName(QStringLiteral("Frame1"));
    place(print_frame, QRect(6600, 3840, 2895, 1935));
    auto* printer =
        new SvgPicture(QStringLiteral(":/images/printer.svg"), tr("Printer"), print_frame);
    printer->setObjectName(QStringLiteral("Image8"));
    printer->setGeometry(twips_rect(240, 360, 960, 960));
    auto* print = new QPushButton(QStringLiteral("Print Results"), print_frame);
    print->setObjectName(QStringLiteral("Print_Results"));
    print->setGeometry(twips_rect(1320, 600, 1455, 495));
    connect(print, &QPushButton::clicked, this, &ResultsTab::print_requested);
    // Every trial of the assessment, in the frame's free space under Print
    // Results; the main window's Ctrl+D opens it from any tab.
    auto* details = new QPushButton(QStringLiteral("Trial &Details..."), print_frame);
    details->setObjectName(QStringLiteral("Trial_Details_Button"));
    details->setGeometry(twips_rect(1320, 1260, 1455, 495));
    details->setToolTip(QStringLiteral("Every trial of each test, with a chart (Ctrl+D)"));
    connect(details, &QPushButton::clicked, this, &ResultsTab::trial_details_requested);
}

void ResultsTab::show_results(const TestResults& results) {
    const auto show_timed = [](const std::array<QLabel*, 4>& labels,
                               const std::optional<TrialSummary>& summary) {
        const QStringList captions = timed_test_captions(summary);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            labels[i]->setText(captions.value(static_cast<qsizetype>(i)));
        }
        // A complete test has no note, and nothing to hear in its place.
        labels.back()->setVisible(captions.size() == static_cast<qsizetype>(labels.size()));
    };
    show_timed(m_activation_labels, results.activation);
    show_timed(m_release_labels, results.release);
    const QStringList repetition = repetition_captions(results);
    m_five_clicks_label->setText(repetition.front());
    m_clicks_recorded_label->setText(repetition.value(1));
    m_clicks_recorded_label->setVisible(repetition.size() > 1);
}

} // namespace tavo

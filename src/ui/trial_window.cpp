#include "trial_window.h"

#include "design_font.h"
#include "dialogs.h"
#include "shape_widget.h"
#include "svg_picture.h"
#include "twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace tavo {

namespace {

constexpr int design_client_width = 7785;
constexpr int design_client_height = 6675;
const QColor design_yellow(255, 255, 0);
const QColor stimulus_background(Qt::black);

// The cue's word stays readable on any colour the administrator picks.
QColor text_colour_on(const QColor& background) {
    const double luminance =
        0.299 * background.redF() + 0.587 * background.greenF() + 0.114 * background.blueF();
    return luminance < 0.5 ? QColor(Qt::white) : QColor(Qt::black);
}

int to_px(float twips) {
    return static_cast<int>(std::lround(twips / twips_per_pixel));
}

QLabel* add_label(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// Where the stimulus area's frames are shown. On a native window (X11) Qt
// paints nothing there: when the window system loses its pixels (the window
// is mapped, resized or uncovered), the frame shown last is handed over again.
// Otherwise (Wayland) it is an ordinary, transparent widget that the
// presenter covers with a surface of its own, and Qt paints the widgets under
// it as any others.
class StimulusSurface final : public QWidget {
public:
    StimulusSurface(bool native, std::function<void()> lost_pixels, QWidget* parent)
        : QWidget(parent)
        , m_native(native)
        , m_lost_pixels(std::move(lost_pixels)) {
        setObjectName(QStringLiteral("stimulus_surface"));
        if (m_native) {
            setAttribute(Qt::WA_NativeWindow);
            setAttribute(Qt::WA_PaintOnScreen);
            setAttribute(Qt::WA_NoSystemBackground);
            setAttribute(Qt::WA_OpaquePaintEvent);
        }
        // The switch is read application-wide; the surface takes no input of its own.
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }
    QPaintEngine* paintEngine() const override {
        return m_native ? nullptr : QWidget::paintEngine();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_native) {
            m_lost_pixels();
        }
    }

private:
    bool m_native;
    std::function<void()> m_lost_pixels;
};

QString start_notice(SwitchSends choice) {
    if (choice == SwitchSends::left_button) {
        return QStringLiteral("Notice:  Press Button Once To Start Test");
    }
    return QStringLiteral("Notice:  Press the switch (%1) once to start the test")
        .arg(switch_key_caption(choice));
}

} // namespace

TrialWindow::TrialWindow(const Design& design, TrialWindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_services(std::move(services)) {
    setObjectName(QString::fromLatin1(design.window_name));
    m_caption = QString::fromLatin1(design.caption);
    setWindowTitle(m_caption);
    setFont(design_font(font()));

    m_frame = new QGroupBox(QString::fromLatin1(design.caption), this);
    m_frame->setObjectName(QString::fromLatin1(design.frame_name));
    m_frame->setGeometry(twips_rect(120, 120, 7455, 6375));
    auto* picture =
        new SvgPicture(QString::fromLatin1(design.picture), tr(design.picture_text), m_frame);
    picture->setObjectName(QStringLiteral("Image1"));
    // The picture fills its designed box; the stimulus frame, made next, lies
    // over its corner as designed.
    const QRect p = design.picture_twips;
    picture->setGeometry(twips_rect(p.x(), p.y(), p.width(), p.height()));

    m_stimulus_frame = new QGroupBox(QStringLiteral("Stimulus"), m_frame);
    m_stimulus_frame->setObjectName(QStringLiteral("act_stim"));
    QFont stim_font = font();
    stim_font.setBold(true);
    m_stimulus_frame->setFont(stim_font);
    m_stimulus_frame->setGeometry(twips_rect(960, 1200, 5775, 4695));

    // Front to back: the start notice, the label, the stimulus, the background.
    m_backdrop = new ShapeWidget(stimulus_background, stimulus_background, m_stimulus_frame);
    m_backdrop->setObjectName(QStringLiteral("BG"));
    m_backdrop->setGeometry(twips_rect(240, 360, 5295, 3975));
    m_stimulus = new ShapeWidget(design_yellow, Qt::black, m_stimulus_frame);
    m_stimulus->setObjectName(QStringLiteral("stimulus"));
    m_stimulus->setGeometry(twips_rect(960, 960, 3975, 2895));
    m_stimulus->hide();
    m_click_label = make_cue_label(QStringLiteral("click_label"),
                                   QString::fromLatin1(design.click_caption), m_stimulus_frame);
    m_click_label->move(px(1830), px(2040));
    m_click_label->hide();

    m_click_to_start = new QPushButton(start_notice(SwitchSends::left_button));
    m_click_to_start->setObjectName(QStringLiteral("click_to_start"));
    // The window's own regular face, whichever frame the notice lies in.
    QFont notice_font = font();
    notice_font.setBold(false);
    m_click_to_start->setFont(notice_font);
    // Any press starts the test through the switch; the button needs no focus.
    m_click_to_start->setFocusPolicy(Qt::NoFocus);

    const QRect r = design.restart_msg_twips;
    m_restart_msg = add_label(
        m_frame, QStringLiteral("restart_msg"),
        QStringLiteral("Administrator: Press Ctrl-R to Restart Test  or  Alt-F4 to End Test"));
    m_restart_msg->setGeometry(twips_rect(r.x(), r.y(), r.width(), r.height()));
    // Never cut the instructions off: the label is at least as wide as its text.
    m_restart_msg->resize(std::max(m_restart_msg->width(), m_restart_msg->sizeHint().width()),
                          m_restart_msg->height());

    auto* shape1 = new ShapeWidget(palette().color(QPalette::Window), Qt::darkGray, this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    shape1->setGeometry(twips_rect(6120, 360, 735, 375));
    shape1->lower();

    m_practice_label = new QLabel(QStringLiteral("PRACTICE"), this);
    m_practice_label->setObjectName(QStringLiteral("practice_label"));
    m_practice_label->setStyleSheet(
        QStringLiteral("QLabel { background: #c00000; color: white; font-weight: bold; "
                       "padding: 2px 6px; }"));
    m_practice_label->hide();

    if (m_services.presenter.presents()) {
        m_surface = new StimulusSurface(
            m_services.presenter.needs_native_surface(), [this] { present_frame(true); },
            m_stimulus_frame);
        m_surface->setGeometry(m_backdrop->geometry());
    }

    auto* restart_shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
    restart_shortcut->setObjectName(QString::fromLatin1(design.restart_shortcut_name));
    connect(restart_shortcut, &QShortcut::activated, this, [this] { m_trial->restart(); });

    resize(twips_size(design_client_width, design_client_height));
}

TrialWindow::~TrialWindow() = default;

void TrialWindow::start(std::unique_ptr<SwitchTrial> trial) {
    m_trial = std::move(trial);
    if (m_surface != nullptr) {
        // Any widget of the stimulus area painted anew (shown, hidden,
        // recoloured, recaptioned) changes the frame; the concrete window's
        // own cues exist by now.
        for (QObject* child : m_stimulus_frame->children()) {
            if (child != m_surface && child->isWidgetType()) {
                child->installEventFilter(this);
            }
        }
    }
    m_trial->load();
    relayout();
}

NamedTimerFactory TrialWindow::timer_factory() {
    return [this](const QString& name) { return m_services.make_timer(this, name); };
}

void TrialWindow::fit_start_notice() {
    const QSize design = twips_size(3735, 735);
    const QSize hint = m_click_to_start->sizeHint();
    m_click_to_start->resize(std::max(design.width(), hint.width() + 16),
                             std::max(design.height(), hint.height()));
}

void TrialWindow::set_switch_sends(SwitchSends choice) {
    const QString notice = start_notice(choice);
    if (m_click_to_start->text() != notice) {
        m_click_to_start->setText(notice);
        fit_start_notice();
        relayout();
    }
}

QLabel* TrialWindow::make_cue_label(const QString& name, const QString& caption, QWidget* parent) {
    QLabel* label = add_label(parent, name, caption);
    // A spoken name that never changes: the label's text follows the run
    // ("HOLDING ...", "3 Clicks"), and a screen reader must not speak while
    // a response is being timed.
    label->setAccessibleName(caption);
    QFont cue(QStringLiteral("Arial"));
    cue.setPointSize(36);
    cue.setBold(true);
    label->setFont(cue);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    set_cue_label_colour(label, design_yellow);
    label->adjustSize();
    return label;
}

void TrialWindow::set_stimulus_colour(const QColor& colour) {
    m_stimulus->set_fill_color(colour);
    set_cue_label_colour(m_click_label, colour);
    schedule_frame();
}

void TrialWindow::set_cue_label_colour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, text_colour_on(colour));
    label->setPalette(palette);
}

QColor TrialWindow::stimulus_colour() const {
    return m_stimulus->fill_color();
}

void TrialWindow::set_click_to_start_visible(bool visible) {
    m_click_to_start->setVisible(visible);
}
void TrialWindow::set_stimulus_visible(bool visible) {
    m_stimulus->setVisible(visible);
}
void TrialWindow::set_click_label_visible(bool visible) {
    m_click_label->setVisible(visible);
}

void TrialWindow::set_click_label_text(const QString& text) {
    if (m_click_label->text() == text) {
        return;
    }
    // The label sizes itself to its caption and stays centred where it was.
    const QPoint centre = m_click_label->geometry().center();
    m_click_label->setText(text);
    m_click_label->adjustSize();
    m_click_label->move(centre - m_click_label->rect().center());
    schedule_frame();
}

void TrialWindow::set_release_cue_visible(bool) {}
void TrialWindow::set_error_visible(bool) {}

void TrialWindow::present_now() {
    if (m_surface != nullptr) {
        // The whole stimulus area in one frame, handed to the display system
        // at once: the onset asked for next is that frame's.
        present_frame(true);
        return;
    }
    // Without a presenter: paint every part of the stimulus area now and
    // hand it to the window system. Repainting the group box alone would not
    // do: Qt leaves out what its opaque children cover (the background, and
    // the shapes and captions on it) and paints those later, from the event
    // loop, after the onset has been read.
    m_stimulus_frame->repaint();
    for (QObject* child : m_stimulus_frame->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && widget->isVisible()) {
            widget->repaint();
        }
    }
}

QImage TrialWindow::stimulus_frame() {
    const QRect area = m_surface->geometry();
    const qreal ratio = m_surface->devicePixelRatioF();
    QImage frame((QSizeF(area.size()) * ratio).toSize(), QImage::Format_RGB32);
    frame.setDevicePixelRatio(ratio);
    frame.fill(stimulus_background);
    QPainter painter(&frame);
    // Back to front, as the widgets lie over each other.
    for (QObject* child : m_stimulus_frame->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || widget == m_surface || widget->isHidden() ||
            !widget->geometry().intersects(area)) {
            continue;
        }
        widget->render(&painter, widget->pos() - area.topLeft());
    }
    return frame;
}

void TrialWindow::present_frame(bool force) {
    m_frame_scheduled = false;
    if (m_surface == nullptr || !m_surface->isVisible() || m_surface->size().isEmpty()) {
        return;
    }
    QImage frame = stimulus_frame();
    // An unchanged picture in the same place is not presented again: a
    // second frame for the same vertical blank would make the display system
    // skip the first, the stimulus's own. A surface that is not a native
    // window of its own does not move with the widgets: it is placed anew.
    const QPoint place = m_surface->mapTo(this, QPoint());
    if (!force && frame == m_presented && place == m_presented_at) {
        return;
    }
    m_presented = std::move(frame);
    m_presented_at = place;
    m_services.presenter.present(*m_surface, m_presented);
}

void TrialWindow::schedule_frame() {
    if (m_surface != nullptr && !m_frame_scheduled) {
        m_frame_scheduled = true;
        QTimer::singleShot(0, this, [this] { present_frame(false); });
    }
}

void TrialWindow::show_summary(const QString& text) {
    // The completed run is already in the assessment and on every view; the
    // message waits until the switch event that completed it has been
    // delivered. The message belongs to this window: closing the window while
    // it is up takes the message with it.
    QMetaObject::invokeMethod(
        this, [this, text] { m_services.dialogs.show_message(this, text); }, Qt::QueuedConnection);
}

QWidget* TrialWindow::stimulus_area() const {
    return m_stimulus_frame;
}

// The window system's frame as it is now: the widget's own figure can lag
// behind a frame that changed without a move or a resize.
QSize TrialWindow::outer_size() const {
    const QWindow* native = windowHandle();
    return native && native->handle() ? native->frameGeometry().size() : frameGeometry().size();
}

WindowTwips TrialWindow::window_twips() const {
    const QSize outer = outer_size();
    return {{static_cast<float>(outer.width() * twips_per_pixel),
             static_cast<float>(outer.height() * twips_per_pixel)},
            {static_cast<float>(width() * twips_per_pixel),
             static_cast<float>(height() * twips_per_pixel)}};
}

TwipSize TrialWindow::size_twips(const QWidget* widget) {
    return {static_cast<float>(widget->width() * twips_per_pixel),
            static_cast<float>(widget->height() * twips_per_pixel)};
}

LabelMeasure TrialWindow::measure_of(QLabel* label) {
    return [label](std::int16_t points) {
        QFont cue = label->font();
        cue.setPointSize(std::max<int>(1, points));
        label->setFont(cue);
        label->adjustSize();
        return size_twips(label);
    };
}

void TrialWindow::place(QWidget* widget, const TwipRect& rect) {
    widget->setGeometry(to_px(rect.left), to_px(rect.top), to_px(rect.width), to_px(rect.height));
}

void TrialWindow::relayout() {
    if (m_trial && !(windowState() & Qt::WindowMinimized)) {
        m_laid_out_outer = outer_size();
        apply_layout();
    }
    if (m_surface != nullptr) {
        m_surface->setGeometry(m_backdrop->geometry());
        m_surface->raise();
        schedule_frame();
    }
    place_practice_label();
}

void TrialWindow::set_practice(bool practice) {
    m_discard_confirmed = false;
    m_trial->set_practice(practice);
    setWindowTitle(practice ? m_caption + QStringLiteral(" - PRACTICE") : m_caption);
    m_practice_label->setVisible(practice);
    place_practice_label();
}

// The top right corner, over everything, wherever the layout put the frame.
void TrialWindow::place_practice_label() {
    m_practice_label->adjustSize();
    m_practice_label->move(width() - m_practice_label->width(), 0);
    m_practice_label->raise();
}

// The rules read the outer size, which the window manager decides only after
// the window is shown, when it adds its frame: lay out again once it has.
void TrialWindow::follow_frame() {
    if (isVisible() && outer_size() != m_laid_out_outer) {
        relayout();
    }
}

void TrialWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_placed && screen() && windowState() == Qt::WindowNoState) {
        m_placed = true;
        QRect frame = frameGeometry();
        frame.moveCenter(screen()->availableGeometry().center());
        move(frame.topLeft());
    }
    follow_frame();
    // The frame is often known only once the window system has mapped the
    // window, after this event: its native window tells when it is exposed.
    if (QWindow* native = windowHandle()) {
        native->installEventFilter(this);
    }
    QTimer::singleShot(0, this, &TrialWindow::follow_frame);
}

bool TrialWindow::eventFilter(QObject* watched, QEvent* event) {
    // Qt paints nothing of what the surface covers, so the widgets' own
    // changes tell when the frame changed.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
        if (watched != windowHandle()) {
            schedule_frame();
        }
        break;
    default:
        break;
    }
    if (watched == windowHandle() &&
        (event->type() == QEvent::Expose || event->type() == QEvent::Move)) {
        // After the native window has taken in the news.
        QTimer::singleShot(0, this, &TrialWindow::follow_frame);
    }
    return QWidget::eventFilter(watched, event);
}

void TrialWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // Adding or changing a frame moves the window's inside without resizing it.
    follow_frame();
}

void TrialWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void TrialWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Coming back from minimised lays the window out again.
    if (event->type() == QEvent::WindowStateChange) {
        relayout();
    }
}

bool TrialWindow::confirm_discard(QWidget* owner) {
    const QPointer<TrialWindow> self = this;
    const int answer =
        m_services.dialogs.ask(owner, QStringLiteral("Discard the unfinished %1?").arg(m_caption),
                               {QStringLiteral("Continue the Test"), QStringLiteral("Discard")}, 0);
    if (!self) {
        return false; // the window went meanwhile, and its run with it
    }
    m_discard_confirmed = answer == 1;
    return m_discard_confirmed;
}

void TrialWindow::closeEvent(QCloseEvent* event) {
    if (m_trial->unfinished_recorded_run() && !m_discard_confirmed) {
        // A recorded run under way is not dropped without a word: the close
        // waits for the administrator's answer, asked after this event.
        event->ignore();
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_trial->unfinished_recorded_run() && confirm_discard(this)) {
                    close();
                }
            },
            Qt::QueuedConnection);
        return;
    }
    m_discard_confirmed = false;
    m_trial->close();
    event->accept();
}

} // namespace tavo

// The stimulus's onset against its pixels, on an X server of the test's own
// (Xvfb): a test window shows its stimulus through the real frame presenter,
// and at the moment the display system's onset stamp comes in, the window's
// pixels are read back from the server. Every part of the stimulus, its
// caption included, must be there by then: an onset never precedes what the
// subject can see. The timers are the tests' fakes and the switch is
// pressed through the fake input; nothing waits for a time to pass.
#include "frame_presenter.h"
#include "trial_window_rig.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

using namespace tavo;
using namespace tavo::testing;

namespace {

// An X server of our own: Xvfb picks a free display and writes its number
// to our pipe once it takes connections.
class XvfbServer {
public:
    XvfbServer() {
        int pipe_ends[2];
        if (pipe(pipe_ends) != 0) {
            m_reason = "no pipe for Xvfb";
            return;
        }
        m_pid = fork();
        if (m_pid == 0) {
            close(pipe_ends[0]);
            const std::string fd = std::to_string(pipe_ends[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipe_ends[1]);
        std::string number;
        char c = 0;
        while (read(pipe_ends[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(pipe_ends[0]);
        if (number.empty()) {
            m_reason = "needs Xvfb (Debian's xvfb) for an X server of its own";
            return;
        }
        m_display = ":" + number;
    }
    ~XvfbServer() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& display() const { return m_display; }
    const char* reason() const { return m_reason; }

private:
    pid_t m_pid = -1;
    std::string m_display;
    const char* m_reason = "";
};

XvfbServer* g_server = nullptr;

// The real presenter, reading the window's pixels back from the server the
// moment a frame's stamp comes in.
class ReadBackPresenter final : public FramePresenter {
public:
    explicit ReadBackPresenter(FramePresenter& real)
        : m_real(real) {}
    QWidget* window = nullptr; // whose pixels are read back
    QImage read_back;
    std::optional<FrameStampSource> source;

    bool presents() const override { return m_real.presents(); }
    void present(QWidget& surface, const QImage& frame) override { m_real.present(surface, frame); }
    QString sources() const override { return m_real.sources(); }
    void settle() override { m_real.settle(); }
    void await_frame(FrameShown shown) override {
        m_real.await_frame([this, shown](std::optional<FrameStamp> stamp) {
            if (stamp && window != nullptr) {
                read_back = window_pixels();
                source = stamp->source;
            }
            shown(stamp);
        });
    }

private:
    QImage window_pixels() {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t* connection = x11->connection();
        const auto width = static_cast<std::uint16_t>(window->width());
        const auto height = static_cast<std::uint16_t>(window->height());
        xcb_get_image_reply_t* reply = xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP,
                          static_cast<xcb_drawable_t>(window->winId()), 0, 0, width, height, ~0U),
            nullptr);
        if (reply == nullptr) {
            return {};
        }
        const QImage image(xcb_get_image_data(reply), width, height, width * 4,
                           QImage::Format_RGB32);
        QImage copy = image.copy();
        std::free(reply);
        return copy;
    }

    FramePresenter& m_real;
};

} // namespace

class TestOnsetFrames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void onset_is_not_before_any_part_of_the_stimulus_data();
    void onset_is_not_before_any_part_of_the_stimulus();
};

void TestOnsetFrames::initTestCase() {
    if (g_server == nullptr || g_server->display().empty()) {
        QSKIP(g_server ? g_server->reason() : "no X server");
    }
}

void TestOnsetFrames::onset_is_not_before_any_part_of_the_stimulus_data() {
    QTest::addColumn<QByteArray>("only");
    QTest::addColumn<bool>("release_test");
    QTest::addColumn<QString>("source");
    // Present's completion is looked for when the answer needs it; DAMAGE's
    // report comes through Qt's event loop, which runs before any answer a
    // person could give.
    QTest::addColumn<bool>("event_loop_first");
    QTest::newRow("activation stimulus through Present")
        << QByteArray() << false << "present" << false;
    QTest::newRow("RELEASE cue through Present") << QByteArray() << true << "present" << false;
    QTest::newRow("activation stimulus through DAMAGE")
        << QByteArray("damage") << false << "damage" << true;
    QTest::newRow("RELEASE cue through DAMAGE") << QByteArray("damage") << true << "damage" << true;
}

void TestOnsetFrames::onset_is_not_before_any_part_of_the_stimulus() {
    QFETCH(QByteArray, only);
    QFETCH(bool, release_test);
    QFETCH(QString, source);
    QFETCH(bool, event_loop_first);
    qputenv("TAVO_DISPLAY_STAMPS", only);
    const std::unique_ptr<FramePresenter> real = make_frame_presenter();
    QVERIFY(real->presents());

    ReadBackPresenter presenter(*real);
    TrialWindowRig rig(presenter, release_test);
    TrialWindow* window = &rig.window();
    presenter.window = window;
    QVERIFY(rig.show());

    rig.start();
    QVERIFY(rig.show_stimulus());
    if (event_loop_first) {
        // Until the server's report has come in (a wait for an event, not a time).
        QTRY_VERIFY(presenter.source.has_value());
    }
    // The answer settles the onset, if its stamp has not come in yet.
    rig.answer();
    QVERIFY2(presenter.source.has_value(), "no stamp came in");
    const QString onset = rig.onset_line(1);
    QVERIFY2(onset.contains(QLatin1Char(' ') + source + QLatin1Char(' ')), qPrintable(onset));

    // Every part of the stimulus as the stamp came in: the shape around the
    // caption in the cue's colour, and the caption's own box showing both
    // its background and its word.
    auto* shape = window->findChild<QWidget*>(rig.shape_name());
    auto* caption = window->findChild<QLabel*>(rig.caption_name());
    QVERIFY(shape != nullptr && caption != nullptr);
    const QImage& pixels = presenter.read_back;
    QVERIFY(!pixels.isNull());
    const QColor cue = caption->palette().color(QPalette::Window);
    const QPoint shape_corner = shape->mapTo(window, QPoint(4, 4));
    QCOMPARE(QColor(pixels.pixel(shape_corner)), cue);
    const QRect caption_box(caption->mapTo(window, QPoint()), caption->size());
    bool background = false;
    bool word = false;
    const QColor text = caption->palette().color(QPalette::WindowText);
    for (int y = caption_box.top(); y <= caption_box.bottom(); ++y) {
        for (int x = caption_box.left(); x <= caption_box.right(); ++x) {
            const QColor seen(pixels.pixel(x, y));
            background = background || seen == cue;
            word = word || seen == text;
        }
    }
    QVERIFY2(background, "the caption's background was not on screen at the onset");
    QVERIFY2(word, "the caption's word was not on screen at the onset");
    qunsetenv("TAVO_DISPLAY_STAMPS");
}

int main(int argc, char* argv[]) {
    XvfbServer server;
    g_server = &server;
    if (!server.display().empty()) {
        qputenv("DISPLAY", QByteArray::fromStdString(server.display()));
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    TestOnsetFrames test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_onset_frames.moc"

// The About box and the organisation dialog, opened from the Help menu.
#include "about_corvale_dialog.h"
#include "about_dialog.h"
#include "app_rig.h"
#include "default_window.h"
#include "help_window.h"
#include "link_label.h"
#include "system_information.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace tavo;

namespace {

class RecordingLauncher final : public ProgramLauncher {
public:
    bool can_start = true;
    QStringList started;
    bool start(const QString& path) override {
        if (can_start) {
            started << path;
        }
        return can_start;
    }
};

} // namespace

class TestInfoDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void about_box_texts();
    void system_info_data();
    void system_info();
    void organisation_dialog_data();
    void organisation_dialog();
    void organisation_dialog_changes_in_place();
    void windows_are_single_and_made_afresh_after_closing();
    void links_open_with_the_desktop();
    void help_window_fits_on_the_owners_screen_data();
    void help_window_fits_on_the_owners_screen();
    void fit_on_screen_data();
    void fit_on_screen();

private:
    void start(const QString& sys_info_program, bool can_start = true);
    void trigger(const QString& item) { m_app->main_window().findChild<QAction*>(item)->trigger(); }

    std::unique_ptr<testing::AppRig> m_rig;
    testing::FakeDialogs* m_dialogs = nullptr;
    RecordingLauncher* m_launcher = nullptr;
    TavoApplication* m_app = nullptr;
};

void TestInfoDialogs::start(const QString& sys_info_program, bool can_start) {
    auto launcher = std::make_unique<RecordingLauncher>();
    launcher->can_start = can_start;
    m_launcher = launcher.get();
    m_rig = std::make_unique<testing::AppRig>(
        std::make_unique<testing::FixedSystemInfoLocator>(
            sys_info_program.isEmpty() ? std::nullopt : std::optional<QString>(sys_info_program)),
        std::move(launcher));
    m_app = m_rig->app.get();
    m_dialogs = &m_rig->dialogs;
    m_app->main_window().show();
}

void TestInfoDialogs::cleanup() {
    m_rig.reset();
}

void TestInfoDialogs::about_box_texts() {
    start(QString());
    trigger(QStringLiteral("about_help_menu"));
    AboutDialog* about = m_app->about_window();
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QVERIFY(!about->isModal());
    QCOMPARE(about->objectName(), QStringLiteral("About"));
    QCOMPARE(about->windowTitle(), QStringLiteral("About TAVO"));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
             QStringLiteral("Marlowen"));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 1.0"));
    QVERIFY(!about->findChild<QLabel*>(QStringLiteral("lblDescription"))->text().isEmpty());
    QVERIFY(!about->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText().isEmpty());
    QVERIFY(about->findChild<QLabel*>(QStringLiteral("Label1"))
                ->text()
                .contains(QStringLiteral("without any express or implied warranty")));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("link1"))->text(),
             QStringLiteral("https://www.corvale.example/"));
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
             QStringLiteral("&System Info..."));
    QCOMPARE(about->size(), QSize(382, 271));
    // The main window stays usable behind it.
    QVERIFY(m_app->main_window().isEnabled());
}

void TestInfoDialogs::system_info_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("can_start");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<QStringList>("messages");
    const QStringList unavailable = {"System Information Is Unavailable At This Time"};
    QTest::newRow("found and started")
        << "/usr/bin/hardinfo" << true << QStringList{"/usr/bin/hardinfo"} << QStringList();
    QTest::newRow("none found") << "" << true << QStringList() << unavailable;
    QTest::newRow("found but cannot start")
        << "/usr/bin/hardinfo" << false << QStringList() << unavailable;
}

void TestInfoDialogs::system_info() {
    QFETCH(QString, program);
    QFETCH(bool, can_start);
    start(program, can_start);
    trigger(QStringLiteral("about_help_menu"));
    QTest::mouseClick(m_app->about_window()->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")),
                      Qt::LeftButton);
    QTEST(m_launcher->started, "started");
    QTEST(m_dialogs->messages, "messages");
    QVERIFY(m_app->about_window()->isVisible());
}

void TestInfoDialogs::organisation_dialog_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");
    QTest::newRow("getting") << "getting_help_menu"
                             << "Getting TAVO"
                             << "This version of TAVO is available as a free download from the "
                                "web site of Corvale.";
    QTest::newRow("about corvale")
        << "about_corvale_help_menu"
        << "About Corvale"
        << "Corvale is a not-for-profit charitable organization dedicated to the most effective "
           "communication for people who use AAC (augmentative and alternative communication).  "
           "To learn more, visit the Corvale web site.";
}

void TestInfoDialogs::organisation_dialog() {
    QFETCH(QString, item);
    start(QString());
    trigger(item);
    AboutCorvaleDialog* dialog = m_app->about_corvale_window();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->objectName(), QStringLiteral("AboutCorvale"));
    QTEST(dialog->windowTitle(), "caption");
    QTEST(dialog->findChild<QLabel*>(QStringLiteral("about_box"))->text(), "message");
    QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("link1"))->text(),
             QStringLiteral("https://www.corvale.example/"));
    QCOMPARE(dialog->size(), QSize(397, 172));
}

void TestInfoDialogs::organisation_dialog_changes_in_place() {
    start(QString());
    trigger(QStringLiteral("getting_help_menu"));
    AboutCorvaleDialog* first = m_app->about_corvale_window();
    trigger(QStringLiteral("about_corvale_help_menu"));
    QCOMPARE(m_app->about_corvale_window(), first);
    QCOMPARE(first->windowTitle(), QStringLiteral("About Corvale"));
    QVERIFY(first->findChild<QLabel*>(QStringLiteral("about_box"))
                ->text()
                .startsWith(QStringLiteral("Corvale is a not-for-profit")));
}

void TestInfoDialogs::windows_are_single_and_made_afresh_after_closing() {
    start(QString());
    trigger(QStringLiteral("about_help_menu"));
    QPointer<AboutDialog> first = m_app->about_window();
    trigger(QStringLiteral("about_help_menu"));
    QCOMPARE(m_app->about_window(), first.data());
    QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QTRY_VERIFY(first.isNull());
    QCOMPARE(m_app->about_window(), nullptr);
    trigger(QStringLiteral("about_help_menu"));
    QVERIFY(m_app->about_window());

    trigger(QStringLiteral("getting_help_menu"));
    QPointer<AboutCorvaleDialog> dialog = m_app->about_corvale_window();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QTRY_VERIFY(dialog.isNull());
}

void TestInfoDialogs::links_open_with_the_desktop() {
    start(QString());
    trigger(QStringLiteral("about_help_menu"));
    trigger(QStringLiteral("about_corvale_help_menu"));
    QTest::mouseClick(m_app->about_window()->findChild<LinkLabel*>(QStringLiteral("link1")),
                      Qt::LeftButton);
    QTest::keyClick(m_app->about_corvale_window()->findChild<LinkLabel*>(QStringLiteral("link1")),
                    Qt::Key_Space);
    QCOMPARE(m_dialogs->opened_urls,
             (QStringList{"https://www.corvale.example/", "https://www.corvale.example/"}));
}

void TestInfoDialogs::help_window_fits_on_the_owners_screen_data() {
    QTest::addColumn<QPoint>("owner_corner");
    QTest::newRow("owner at the top left") << QPoint(0, 0);
    QTest::newRow("owner in the bottom right corner") << QPoint(600, 450);
}

// The help window has no parent of its own: it opens over the main window,
// and never partly off the screen, even where the screen is smaller than it.
void TestInfoDialogs::help_window_fits_on_the_owners_screen() {
    QFETCH(QPoint, owner_corner);
    QWidget owner;
    owner.resize(200, 150);
    owner.move(owner_corner);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    HelpWindow help;
    help.show_over(&owner);
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QCOMPARE(help.screen(), owner.screen());
    const QRect available = owner.screen()->availableGeometry();
    QVERIFY2(available.contains(help.frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(help.frameGeometry().x())
                            .arg(help.frameGeometry().y())
                            .arg(help.frameGeometry().width())
                            .arg(help.frameGeometry().height())));
}

void TestInfoDialogs::fit_on_screen_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("fitted");
    const QRect screen(0, 0, 800, 600);
    QTest::newRow("inside stays") << QRect(10, 20, 300, 200) << QRect(10, 20, 300, 200);
    QTest::newRow("off the right and bottom")
        << QRect(700, 500, 300, 200) << QRect(500, 400, 300, 200);
    QTest::newRow("off the left and top") << QRect(-50, -10, 300, 200) << QRect(0, 0, 300, 200);
    QTest::newRow("taller than the screen") << QRect(100, 100, 300, 900) << QRect(100, 0, 300, 600);
}

void TestInfoDialogs::fit_on_screen() {
    QFETCH(QRect, frame);
    QTEST(tavo::fit_on_screen(frame, QRect(0, 0, 800, 600)), "fitted");
}

QTEST_MAIN(TestInfoDialogs)
#include "test_info_dialogs.moc"

// Windows closed while a message is up, as a screen reader, automation or a
// session ending can close them: the message goes with the window that owns
// it, every other window and the assessment stay, and nothing is deleted
// twice (the sanitizer build runs this suite too).
#include "about_dialog.h"
#include "app_rig.h"
#include "compare_window.h"
#include "default_window.h"
#include "switch_test_windows.h"
#include "trial_details_window.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace tavo;
using namespace tavo::testing;

class TestDialogLifetimes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void closing_a_window_while_a_message_is_up_data();
    void closing_a_window_while_a_message_is_up();
    void a_choice_whose_owner_goes_is_a_cancel();
    void a_message_is_plain_text_read_by_a_screen_reader();

private:
    DefaultWindow& main() { return m_rig->app->main_window(); }
    // Closed windows are deleted once control returns to the event loop.
    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Opens the window a row names and returns it.
    QWidget* open_window(const QString& name);

    std::unique_ptr<AppRig> m_rig;
};

void TestDialogLifetimes::init() {
    m_rig = std::make_unique<AppRig>();
    m_rig->dialogs.real_messages = true;
    // Exit with nothing unsaved would end the program: the test goes on.
    m_rig->app->set_end_program([] {});
    main().show();
}

void TestDialogLifetimes::cleanup() {
    m_rig.reset();
    settle();
}

QWidget* TestDialogLifetimes::open_window(const QString& name) {
    if (QWidget* window = m_rig->open_window(name)) {
        return window;
    }
    if (name == QLatin1String("Trial_Details")) {
        m_rig->app->show_trial_details();
        return m_rig->app->trial_details_window();
    }
    if (name == QLatin1String("Compare")) {
        m_rig->dialogs.open_several_answers.push_back(
            QStringList{QStringLiteral(TAVO_TEST_DATA_DIR "/three_tests.tavo")});
        m_rig->app->compare_assessments();
        return m_rig->app->compare_window();
    }
    return &main();
}

void TestDialogLifetimes::closing_a_window_while_a_message_is_up_data() {
    QTest::addColumn<QString>("owner");  // the window whose message is up
    QTest::addColumn<QString>("closed"); // the window closed meanwhile
    const char* owners[] = {"Activation_Test", "Release_Test", "Repetition_Test", "About",
                            "Default"};
    const char* closed[] = {"itself", "Default", "Trial_Details", "Compare"};
    for (const char* owner : owners) {
        for (const char* window : closed) {
            QTest::addRow("%s, closing %s", owner, window)
                << QString::fromLatin1(owner)
                << QString::fromLatin1(window == closed[0] ? owner : window);
        }
    }
}

void TestDialogLifetimes::closing_a_window_while_a_message_is_up() {
    QFETCH(QString, owner);
    QFETCH(QString, closed);
    const QPointer<QWidget> closed_window =
        closed == owner ? nullptr : QPointer<QWidget>(open_window(closed));
    const QPointer<QWidget> owner_window = open_window(owner);
    QVERIFY(owner_window);
    if (auto* test_window = qobject_cast<TrialWindow*>(owner_window.data())) {
        // The summary at the end of a run, as the test window shows it.
        test_window->show_summary(QStringLiteral("Average Response Time: 00:00.200"));
    } else if (auto* about = qobject_cast<AboutDialog*>(owner_window.data())) {
        // No system-information program: its message is up over the About box.
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")),
                          Qt::LeftButton);
    } else {
        m_rig->dialogs.open_answers.push_back(QStringLiteral("/nonexistent/visit.tavo"));
        main().findChild<QAction*>(QStringLiteral("open_file_menu"))->trigger();
    }
    settle();
    const QPointer<QMessageBox> box = owner_window->findChild<QMessageBox*>();
    QVERIFY(box);
    QVERIFY(box->isVisible());

    QWidget* to_close = closed == owner ? owner_window.data() : closed_window.data();
    QVERIFY(to_close);
    to_close->windowHandle()->close();
    settle();

    // The main window is never closed this way: it asks or ends the program.
    const bool owner_gone = closed == owner && owner != QLatin1String("Default");
    QCOMPARE(owner_window.isNull(), owner_gone);
    QCOMPARE(box.isNull(), owner_gone);
    if (!owner_gone) {
        QVERIFY(box->isVisible());
        box->accept();
        settle();
        QVERIFY(box.isNull()); // an answered message does not stay behind
    }
    QVERIFY(m_rig->app->main_window().isVisible());
}

void TestDialogLifetimes::a_choice_whose_owner_goes_is_a_cancel() {
    // A colour choice is waited for; its owner closed meanwhile takes it away
    // and the choice is a Cancel.
    auto* owner = new QWidget;
    owner->setAttribute(Qt::WA_DeleteOnClose);
    owner->show();
    const QPointer<QWidget> guard = owner;
    QTimer::singleShot(0, owner, [owner] {
        QVERIFY(owner->findChild<QColorDialog*>());
        owner->windowHandle()->close();
    });
    DesktopDialogs dialogs;
    const std::optional<QColor> chosen =
        dialogs.choose_color(owner, Qt::yellow, QStringLiteral("x"));
    QVERIFY(!chosen);
    settle();
    QVERIFY(guard.isNull());
}

void TestDialogLifetimes::a_message_is_plain_text_read_by_a_screen_reader() {
    const QString text = QStringLiteral("Could not open \"<b>x</b>.tavo\".");
    DesktopDialogs().show_message(&main(), text);
    auto* box = main().findChild<QMessageBox*>();
    QVERIFY(box);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->accessibleDescription(), text);
    box->accept();
}

QTEST_MAIN(TestDialogLifetimes)
#include "test_dialog_lifetimes.moc"

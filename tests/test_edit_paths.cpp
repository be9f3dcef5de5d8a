// Every way text gets into a one-line field reaches the assessment: typing,
// pasting, undo, an input method's commit, setText as automation calls it,
// and the accessibility interface that screen readers, dictation and voice
// control use. What is saved is what the window shows, and the saving state
// follows every real change.
#include "app_rig.h"
#include "default_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tavo;
using namespace tavo::testing;

class TestEditPaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void every_edit_reaches_the_saved_file_data();
    void every_edit_reaches_the_saved_file();
    void showing_the_document_is_no_edit();

private:
    DefaultWindow& window() { return m_rig->app->main_window(); }
    QLineEdit* field(const char* name) {
        return window().findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QByteArray saved_line(int index) {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return file.readAll().split('\n').value(index);
    }

    std::unique_ptr<AppRig> m_rig;
    QTemporaryDir m_dir;
    QString m_path;
};

void TestEditPaths::init() {
    m_rig = std::make_unique<AppRig>();
    m_rig->app->set_end_program([] {});
    window().show();
    // An assessment saved under a name, its Subject "Ann".
    m_path = m_dir.filePath(QStringLiteral("visit.tavo"));
    QTest::keyClicks(field("Text0"), QStringLiteral("Ann"));
    m_rig->dialogs.save_answers.push_back(m_path);
    window().findChild<QAction*>(QStringLiteral("save_file_menu"))->trigger();
    QCOMPARE(saved_line(0), QByteArray("Subject: \tAnn\r"));
    QVERIFY(!m_rig->app->document().unsaved_changes());
}

void TestEditPaths::cleanup() {
    m_rig.reset();
}

void TestEditPaths::every_edit_reaches_the_saved_file_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("shown"); // what the field shows afterwards
    QTest::newRow("typing") << "typing"
                            << "Ann B";
    QTest::newRow("pasting") << "pasting"
                             << "Ann Bell";
    QTest::newRow("undo of a paste") << "undo"
                                     << "Ann";
    QTest::newRow("input method") << "input method"
                                  << "Ann\u00e9";
    QTest::newRow("setText") << "setText"
                             << "Bea";
    QTest::newRow("accessibility") << "accessibility"
                                   << "Bea Dee";
    QTest::newRow("one field, then another") << "two fields"
                                             << "Ann";
}

void TestEditPaths::every_edit_reaches_the_saved_file() {
    QFETCH(QString, way);
    QFETCH(QString, shown);
    QLineEdit* subject = field("Text0");
    subject->setFocus();
    subject->end(false);
    if (way == QLatin1String("typing")) {
        QTest::keyClicks(subject, QStringLiteral(" B"));
    } else if (way == QLatin1String("pasting") || way == QLatin1String("undo")) {
        QApplication::clipboard()->setText(QStringLiteral(" Bell"));
        subject->paste();
        if (way == QLatin1String("undo")) {
            QVERIFY(m_rig->app->document().unsaved_changes());
            subject->undo();
        }
    } else if (way == QLatin1String("input method")) {
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("\u00e9"));
        QApplication::sendEvent(subject, &commit);
    } else if (way == QLatin1String("setText")) {
        subject->setText(QStringLiteral("Bea"));
    } else if (way == QLatin1String("accessibility")) {
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(subject);
        QVERIFY(spoken && spoken->editableTextInterface());
        spoken->editableTextInterface()->replaceText(0, spoken->textInterface()->characterCount(),
                                                     QStringLiteral("Bea Dee"));
    } else if (way == QLatin1String("two fields")) {
        field("Text1")->setText(QStringLiteral("Dr Fox"));
    }
    QCOMPARE(subject->text(), shown);
    QCOMPARE(m_rig->app->document().field(TypedField::subject_name), shown);
    // Back to what was saved is no change; anything else is.
    const bool changed = shown != QLatin1String("Ann") || way == QLatin1String("two fields");
    QCOMPARE(m_rig->app->document().unsaved_changes(), changed);
    window().findChild<QAction*>(QStringLiteral("save_file_menu"))->trigger();
    QCOMPARE(saved_line(0), QByteArray("Subject: \t") + shown.toLatin1() + '\r');
    if (way == QLatin1String("two fields")) {
        QCOMPARE(saved_line(2), QByteArray("Administrator: \tDr Fox\r"));
    }
    QVERIFY(!m_rig->app->document().unsaved_changes());
}

void TestEditPaths::showing_the_document_is_no_edit() {
    // New clears the document; the fields follow it without echoing their
    // own update back as an edit, so nothing new is waiting to be saved.
    QSignalSpy changes(&m_rig->app->document(), &AssessmentDocument::changed);
    window().findChild<QAction*>(QStringLiteral("new_file_menu"))->trigger();
    QCOMPARE(field("Text0")->text(), QString());
    QVERIFY(!m_rig->app->document().unsaved_changes());
    const qsizetype after_new = changes.size();
    QVERIFY(after_new > 0);
    // Showing an unchanged document again changes nothing.
    field("Text0")->setText(QString());
    QCOMPARE(changes.size(), after_new);
}

QTEST_MAIN(TestEditPaths)
#include "test_edit_paths.moc"

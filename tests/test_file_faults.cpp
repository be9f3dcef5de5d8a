// The faults of a real disk met through the window, as the clinician meets
// them: Yes before Exit, Print Results into a PDF file and Export Trial Data
// on a full disk, each with a message naming the file and the reason, the
// earlier file whole and the program still running; and messages that quote
// a file's name or its lines shown as text, never as markup.
#include "app_rig.h"
#include "default_window.h"
#include "dialogs.h"
#include "sample_assessments.h"
#include "save_exit_dialog.h"
#include "small_tmpfs.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tavo;
using namespace tavo::testing;

namespace {

QByteArray content_of(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestFileFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void yes_before_exit_on_a_full_disk_keeps_the_program();
    void print_into_a_pdf_file_on_a_full_disk();
    void export_on_a_full_disk();
    void messages_show_markup_as_text();
    void outputs_never_replace_an_assessment_data();
    void outputs_never_replace_an_assessment();

private:
    DefaultWindow& window() { return m_rig->app->main_window(); }
    void trigger(const char* item) {
        window().findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    // Opens the sample with three tests through File > Open.
    void open_three_tests() {
        m_rig->dialogs.open_answers.push_back(sample_path(QStringLiteral("three_tests.tavo")));
        trigger("open_file_menu");
    }
    QString only_message() const {
        return m_rig->dialogs.messages.size() == 1 ? m_rig->dialogs.messages.constFirst()
                                                   : m_rig->dialogs.messages.join(" | ");
    }

    std::unique_ptr<AppRig> m_rig;
    std::unique_ptr<SmallTmpfs> m_disk;
    int m_ended = 0;
};

void TestFileFaults::init() {
    m_rig = std::make_unique<AppRig>();
    m_rig->app->set_end_program([this] { ++m_ended; });
    m_ended = 0;
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    m_disk = std::make_unique<SmallTmpfs>();
}

void TestFileFaults::cleanup() {
    m_rig.reset();
    m_disk.reset();
}

void TestFileFaults::yes_before_exit_on_a_full_disk_keeps_the_program() {
    if (const std::optional<QString> why = m_disk->mount()) {
        QSKIP(qPrintable(*why));
    }
    const QString path = m_disk->path(QStringLiteral("ann.tavo"));
    open_three_tests();
    m_rig->dialogs.save_answers.push_back(path);
    trigger("saveas_file_menu");
    const QByteArray earlier = content_of(path);
    QVERIFY(earlier.startsWith("Subject: \tAnn Example"));
    QVERIFY(m_disk->fill() > 0);

    auto* subject = window().findChild<QLineEdit*>(QStringLiteral("Text0"));
    subject->selectAll();
    QTest::keyClicks(subject, QStringLiteral("Ann Lee"));
    trigger("exit_file_menu");
    QVERIFY(m_rig->app->save_prompt());
    QTest::mouseClick(m_rig->app->save_prompt()->findChild<QPushButton*>("YesButton"),
                      Qt::LeftButton);

    QCOMPARE(m_ended, 0);
    QVERIFY(window().isVisible());
    QVERIFY2(only_message().startsWith(QStringLiteral("Could not save \"%1\".\n\nNo space left on "
                                                      "device.")
                                           .arg(path)),
             qPrintable(only_message()));
    QCOMPARE(content_of(path), earlier);
    // Still unsaved: the next Exit asks again.
    trigger("exit_file_menu");
    QVERIFY(m_rig->app->save_prompt()->isVisible());
    QCOMPARE(m_ended, 0);
}

void TestFileFaults::print_into_a_pdf_file_on_a_full_disk() {
    if (const std::optional<QString> why = m_disk->mount()) {
        QSKIP(qPrintable(*why));
    }
    open_three_tests();
    m_rig->printer_dialog.pdf_path = m_disk->path(QStringLiteral("sheet.pdf"));
    m_rig->printer_dialog.answers = {1, 1};
    trigger("print_file_menu");
    const QByteArray earlier = content_of(m_rig->printer_dialog.pdf_path);
    QVERIFY(earlier.startsWith("%PDF-"));
    QVERIFY(m_rig->dialogs.messages.isEmpty());
    QVERIFY(m_disk->fill() > 0);

    trigger("print_file_menu");
    QVERIFY2(only_message().startsWith(
                 QStringLiteral("The results sheet could not be saved as \"%1\": No space left "
                                "on device. Any earlier file of that name is unchanged")
                     .arg(m_rig->printer_dialog.pdf_path)),
             qPrintable(only_message()));
    QCOMPARE(content_of(m_rig->printer_dialog.pdf_path), earlier);
}

void TestFileFaults::export_on_a_full_disk() {
    if (const std::optional<QString> why = m_disk->mount()) {
        QSKIP(qPrintable(*why));
    }
    open_three_tests();
    const QString path = m_disk->path(QStringLiteral("trials.csv"));
    m_rig->dialogs.save_answers = {path, path};
    trigger("export_file_menu");
    const QByteArray earlier = content_of(path);
    QVERIFY(earlier.startsWith("\xEF\xBB\xBF"));
    QVERIFY(m_disk->fill() > 0);

    trigger("export_file_menu");
    QVERIFY2(only_message().startsWith(
                 QStringLiteral("The trial data could not be saved as \"%1\": No space left on "
                                "device. Any earlier file of that name is unchanged")
                     .arg(path)),
             qPrintable(only_message()));
    QCOMPARE(content_of(path), earlier);
}

// The desktop's own message box, as File > Open shows it for a file whose
// name looks like markup.
void TestFileFaults::messages_show_markup_as_text() {
    const QString text =
        QStringLiteral("Could not open \"<h1>big</h1><u>x</u>.tavo\".\n\nline 3: found \"<b>\"");
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    DesktopDialogs dialogs;
    dialogs.show_message(&window(), text);
    auto* box = window().findChild<QMessageBox*>();
    QVERIFY(box);
    format = box->textFormat();
    if (const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        shown = label->text();
        format = label->textFormat();
    }
    box->accept();
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(shown, text);
}

void TestFileFaults::outputs_never_replace_an_assessment_data() {
    QTest::addColumn<QString>("item");   // the File menu's item
    QTest::addColumn<QString>("target"); // the file chosen to write
    QTest::addColumn<QString>("reason"); // in the message; empty when written
    const QString open = QStringLiteral("it is the file of the assessment on screen");
    const QString assessment = QStringLiteral("it is an assessment file");
    for (const char* item : {"export_file_menu", "export_summary_file_menu", "print_file_menu"}) {
        QTest::addRow("%s onto the open assessment", item) << item << "visit.tavo" << open;
        QTest::addRow("%s onto the open assessment through a link", item)
            << item << "link.csv" << open;
        QTest::addRow("%s onto an assessment saved without extension", item)
            << item << "visit" << assessment;
        QTest::addRow("%s onto another assessment", item) << item << "other.tavo" << assessment;
        QTest::addRow("%s onto a text file", item) << item << "notes.txt" << QString();
    }
}

// Whatever the file dialog's replace question was answered, an export or a
// PDF never takes an assessment's place: a message, and nothing written.
void TestFileFaults::outputs_never_replace_an_assessment() {
    QFETCH(QString, item);
    QFETCH(QString, target);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QByteArray sample = sample_bytes(QStringLiteral("three_tests.tavo"));
    for (const char* name : {"visit.tavo", "visit", "other.tavo"}) {
        QVERIFY(QFile::copy(sample_path(QStringLiteral("three_tests.tavo")),
                            dir.filePath(QLatin1String(name))));
    }
    QFile notes(dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("Subject: notes\n") > 0);
    notes.close();
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("visit.tavo")),
                        dir.filePath(QStringLiteral("link.csv"))));
    m_rig->dialogs.open_answers.push_back(dir.filePath(QStringLiteral("visit.tavo")));
    trigger("open_file_menu");
    const QString path = dir.filePath(target);
    const QByteArray before = content_of(path);
    m_rig->dialogs.save_answers.push_back(path);
    m_rig->printer_dialog.pdf_path = path;
    m_rig->printer_dialog.answers = {1, 1};
    trigger(qPrintable(item));

    if (reason.isEmpty()) {
        QVERIFY2(m_rig->dialogs.messages.isEmpty(), qPrintable(only_message()));
        QVERIFY(content_of(path) != before);
    } else {
        QVERIFY2(only_message().contains(QStringLiteral("as \"%1\": %2, which would be lost. "
                                                        "Nothing was written")
                                             .arg(path, reason)),
                 qPrintable(only_message()));
        QCOMPARE(content_of(path), before);
    }
    for (const char* name : {"visit.tavo", "visit", "other.tavo"}) {
        QCOMPARE(content_of(dir.filePath(QLatin1String(name))), sample);
    }
    // The assessment on screen is still saved: Exit asks nothing.
    trigger("exit_file_menu");
    QCOMPARE(m_ended, 1);
}

QTEST_MAIN(TestFileFaults)
#include "test_file_faults.moc"

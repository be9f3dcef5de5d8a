// The real program killed: `tavo` runs on an X server of the test's own
// (Xvfb), opens an assessment named on its command line, runs an activation
// test whose switch presses come through XTest, and is killed with SIGKILL
// once the run is committed. The next start offers what it left, and Recover
// brings back every field and reading. The test waits only for what the
// program writes: its clock log and its recovery copy.
#include "app_rig.h"
#include "sample_assessments.h"
#include "scripted_questions.h"
#include "x_robot.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tavo;
using namespace tavo::testing;

namespace {

// Where things sit in the main window, from its top-left corner.
constexpr ScreenPoint performance_tab{205, 38};
constexpr ScreenPoint activation_start{577, 105};

ScreenPoint offset(ScreenPoint origin, ScreenPoint by) {
    return {origin.x + by.x, origin.y + by.y};
}

// The readings of one event of the activation test in the clock log
// ("activation response 3 123456 ..."), by trial.
QMap<int, qint64> logged(const QString& log_path, const QString& event) {
    QFile log(log_path);
    QMap<int, qint64> readings;
    if (!log.open(QIODevice::ReadOnly)) {
        return readings;
    }
    while (!log.atEnd()) {
        const QList<QByteArray> words = log.readLine().simplified().split(' ');
        if (words.size() >= 4 && words[0] == "activation" && words[1] == event.toLatin1()) {
            readings.insert(words[2].toInt(), words[3].toLongLong());
        }
    }
    return readings;
}

QByteArray file_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRecoveryKill : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void killed_after_a_run_recovers_every_reading();

private:
    QProcess m_server;
    QString m_display;
    std::unique_ptr<XRobot> m_robot;
};

void TestRecoveryKill::initTestCase() {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        QSKIP("needs Xvfb (Debian's xvfb) for an X server of its own");
    }
    // The server picks a free display and writes its number to our pipe.
    m_server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QVERIFY(m_server.waitForStarted());
    QByteArray number;
    while (!number.contains('\n') && m_server.waitForReadyRead(20'000)) {
        number += m_server.readAllStandardOutput();
    }
    QVERIFY2(!number.trimmed().isEmpty(), "Xvfb did not say which display it took");
    m_display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    m_robot = std::make_unique<XRobot>(m_display.toStdString());
    QVERIFY2(m_robot->ok(), "cannot use XTest on Xvfb");
}

void TestRecoveryKill::cleanupTestCase() {
    m_robot.reset();
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        m_server.waitForFinished();
    }
}

void TestRecoveryKill::killed_after_a_run_recovers_every_reading() {
    QTemporaryDir state;
    QTemporaryDir logs;
    const QString log_path = logs.filePath(QStringLiteral("clock.log"));
    const QString opened = sample_path(QStringLiteral("three_tests.tavo"));
    QProcess tavo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("TAVO_STATE_DIR"), state.path());
    tavo.setProcessEnvironment(environment);
    tavo.setProcessChannelMode(QProcess::ForwardedChannels);
    tavo.start(QStringLiteral(TAVO_PROGRAM), {"--clock-log", log_path, opened});
    QVERIFY(tavo.waitForStarted());
    // A step that fails leaves no program behind on the server.
    const auto stop = qScopeGuard([&tavo] {
        tavo.kill();
        tavo.waitForFinished();
    });

    std::optional<ScreenPoint> main_window;
    QTRY_VERIFY_WITH_TIMEOUT((main_window = m_robot->find_window("TAVO - Marlowen")), 30'000);
    m_robot->click(offset(*main_window, performance_tab));
    m_robot->click(offset(*main_window, activation_start));
    std::optional<ScreenPoint> test_window;
    QTRY_VERIFY_WITH_TIMEOUT((test_window = m_robot->find_window("Activation Test")), 20'000);

    // The switch, pressed in a corner of the test window: the start press,
    // then a press as each stimulus is on screen, as the clock log tells.
    m_robot->move(offset(*test_window, {6, 6}));
    m_robot->button(true);
    m_robot->button(false);
    for (int trial = 1; trial <= trials_per_test; ++trial) {
        QTRY_VERIFY2_WITH_TIMEOUT(logged(log_path, QStringLiteral("onset")).contains(trial),
                                  file_bytes(log_path).constData(), 20'000);
        m_robot->button(true);
        m_robot->button(false);
    }
    // The committed run is copied before anything else: when the copy and
    // its info are there, the program is killed, as by a crash.
    const QString folder = state.filePath(QStringLiteral("recovery"));
    auto copies = [&folder](const char* pattern) {
        return QDir(folder).entryList({QString::fromLatin1(pattern)});
    };
    QTRY_COMPARE_WITH_TIMEOUT(copies("recovery-*.info").size(), 1, 20'000);
    QCOMPARE(copies("recovery-*.tavo").size(), 1);
    tavo.kill();
    QVERIFY(tavo.waitForFinished());
    const QByteArray left = file_bytes(folder + QLatin1Char('/') + copies("recovery-*.tavo")[0]);
    const QMap<int, qint64> onsets = logged(log_path, QStringLiteral("onset"));
    const QMap<int, qint64> responses = logged(log_path, QStringLiteral("response"));
    const QMap<int, qint64> start = logged(log_path, QStringLiteral("start"));
    QCOMPARE(responses.size(), trials_per_test);

    // The next start asks first of all, and Recover brings back the run.
    ScriptedQuestions questions;
    questions.answers.push_back(RecoveryAnswer::recover);
    AppRig rig(nullptr, nullptr, RigRecovery{folder, &questions, {}});
    QCOMPARE(questions.asked.size(), 1);
    QVERIFY(questions.asked[0].contains(QLatin1String("Ann Example")));
    const AssessmentDocument& document = rig.app->document();
    QCOMPARE(write_assessment(document.fields(), document.data()).bytes, left);
    QCOMPARE(document.fields(), three_tests_fields());
    QCOMPARE(document.file_name(), opened);
    QVERIFY(document.unsaved_changes());
    const TestData& data = document.data();
    for (int trial = 1; trial <= trials_per_test; ++trial) {
        const auto i = static_cast<std::size_t>(trial - 1);
        QCOMPARE(data.activation.responses[i] - data.activation.onsets[i],
                 responses.value(trial) - onsets.value(trial));
        QCOMPARE(data.activation.onsets[i] - data.activation.start_tick,
                 onsets.value(trial) - start.value(0));
    }
    // The other tests' readings are those of the file that was open.
    const ReadResult file = read_assessment_file(opened, {});
    QVERIFY(file.ok());
    QCOMPARE(data.release.responses, file.record.data.release.responses);
    QCOMPARE(data.repetition.click_times, file.record.data.repetition.click_times);
}

QTEST_MAIN(TestRecoveryKill)
#include "test_recovery_kill.moc"

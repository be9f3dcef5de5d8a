// Which frame's presentation time becomes the onset under Wayland: the frame
// committed last before the onset was awaited, or the frame that replaced it
// before it was shown; never an earlier frame's time, and nothing when the
// frame was never shown or never committed.
#include "presentation_feedback.h"

#include <QTest>

using namespace tavo;

class TestPresentationFeedback : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onset_answer_data();
    void onset_answer();
    void other_clock();
};

void TestPresentationFeedback::onset_answer_data() {
    // Steps, in order: `c` a frame committed, `x` a frame that could not be,
    // `w` the onset awaited, `pN:US` frame N presented at US microseconds,
    // `dN` frame N discarded. The answer: "pending", "none" or the microseconds.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("answer");
    QTest::newRow("presented after the wait") << "c w p1:5000"
                                              << "5000";
    QTest::newRow("presented before the wait") << "c p1:5000 w"
                                               << "5000";
    QTest::newRow("not yet presented") << "c w"
                                       << "pending";
    QTest::newRow("discarded, nothing after it") << "c w d1"
                                                 << "none";
    QTest::newRow("replaced, the later one presented after") << "c w c d1 p2:7000"
                                                             << "7000";
    QTest::newRow("replaced, the later one presented first") << "c w c p2:7000 d1"
                                                             << "7000";
    QTest::newRow("replaced, the later one not yet presented") << "c w c d1"
                                                               << "pending";
    QTest::newRow("replaced, the later one discarded too") << "c w c d1 d2"
                                                           << "none";
    QTest::newRow("an earlier frame's time is not the onset's") << "c c w p1:5000"
                                                                << "pending";
    QTest::newRow("the onset's own frame after an earlier one") << "c c w p1:5000 p2:6000"
                                                                << "6000";
    QTest::newRow("shown before a later frame was committed") << "c w c p1:5000"
                                                              << "5000";
    QTest::newRow("the onset's frame could not be committed") << "c p1:5000 x w"
                                                              << "none";
    QTest::newRow("a later frame could not be committed") << "c w x d1"
                                                          << "none";
    QTest::newRow("nothing ever committed") << "w"
                                            << "none";
}

void TestPresentationFeedback::onset_answer() {
    QFETCH(QString, steps);
    QFETCH(QString, answer);
    PresentationFeedback feedback;
    std::optional<PresentationFeedback::Settled> settled;
    int answers = 0;
    const auto take = [&](std::optional<PresentationFeedback::Settled> outcome) {
        if (outcome) {
            settled = outcome;
            ++answers;
        }
    };
    for (const QString& step : steps.split(QLatin1Char(' '))) {
        if (step == QLatin1String("c")) {
            feedback.committed();
        } else if (step == QLatin1String("x")) {
            feedback.not_committed();
        } else if (step == QLatin1String("w")) {
            take(feedback.await());
        } else if (step.startsWith(QLatin1Char('p'))) {
            const QStringList parts = step.mid(1).split(QLatin1Char(':'));
            take(feedback.feedback(
                parts.at(0).toULongLong(),
                FrameStamp{parts.at(1).toLongLong(), FrameStampSource::presented, true}));
        } else {
            take(feedback.feedback(step.mid(1).toULongLong(), std::nullopt));
        }
    }
    QVERIFY2(answers <= 1, "an onset is answered once");
    if (answer == QLatin1String("pending")) {
        QVERIFY(!settled);
    } else if (answer == QLatin1String("none")) {
        QVERIFY(settled);
        QVERIFY(!settled->stamp);
    } else {
        QVERIFY(settled);
        QVERIFY(settled->stamp);
        QCOMPARE(settled->stamp->microseconds, answer.toLongLong());
        QCOMPARE(settled->stamp->source, FrameStampSource::presented);
    }
}

// A compositor whose presentation clock is not ours (weston announces
// CLOCK_MONOTONIC_RAW): its time moves by the clocks' difference.
void TestPresentationFeedback::other_clock() {
    QCOMPARE(onto_monotonic(1'000'000, 1'000'500, 9'000'000), 8'999'500);
    QCOMPARE(onto_monotonic(1'000'000, 1'000'000, 1'000'000), 1'000'000);
}

QTEST_APPLESS_MAIN(TestPresentationFeedback)
#include "test_presentation_feedback.moc"

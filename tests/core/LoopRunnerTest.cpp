#include "practice/LoopRunner.h"
#include "base/QuellinError.h"

#include <QCoroTimer>
#include <QTest>

#include <chrono>

using namespace std::chrono_literals;

namespace {

// Stands in for the player and the clock: each operation takes a little real time on the event
// loop and writes what happened into a log, so the order and overlap of steps can be checked.
struct Script {
    QStringList log;
    int inFlight = 0;
    bool overlapped = false;
    int plays = 0;
    int failingPlay = 0;                    // the play (counted from 1) that reports it was stopped
    int cancellingPlay = 0;                 // the play that throws OperationCancelled
    std::stop_source* stopInWait = nullptr; // requested as soon as the first wait starts

    LoopRunner::Play playOperation() {
        return [this](Sentence sentence, double rate) { return play(sentence, rate); };
    }
    LoopRunner::Wait waitOperation() {
        return [this](double seconds) { return wait(seconds); };
    }
    LoopRunner::Phase phaseOperation() {
        return [this](const PracticeStep& step) {
            log << QStringLiteral("phase %1 %2")
                       .arg(step.kind == PracticeStep::Kind::play ? "play" : "gap")
                       .arg(step.repetition);
        };
    }

    QCoro::Task<bool> play(Sentence sentence, double rate) {
        enter();
        ++plays;
        log << QStringLiteral("play %1-%2 at %3").arg(sentence.start).arg(sentence.end).arg(rate);
        co_await QCoro::sleepFor(1ms);
        --inFlight;
        if (plays == cancellingPlay)
            throw OperationCancelled();
        co_return plays != failingPlay;
    }

    QCoro::Task<bool> wait(double seconds) {
        enter();
        log << QStringLiteral("wait %1").arg(seconds);
        if (stopInWait)
            stopInWait->request_stop();
        co_await QCoro::sleepFor(1ms);
        --inFlight;
        co_return true;
    }

    void enter() {
        overlapped = overlapped || inFlight > 0;
        ++inFlight;
    }
};

} // namespace

class LoopRunnerTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runsEveryStepInOrderAtTheClampedRate() {
        Script script;
        const bool completed = QCoro::waitFor(LoopRunner::run(
            Sentence(2, 3), PracticeSettings(2, 3.0, 1.0, false), script.playOperation(),
            script.waitOperation(), script.phaseOperation()));
        QVERIFY(completed);
        QVERIFY(!script.overlapped);
        // Two thirds of a second at 1.5: the pause is the least one, 0.8 s.
        QCOMPARE(script.log, QStringList({
                                 QStringLiteral("phase play 1"),
                                 QStringLiteral("play 2-3 at 1.5"),
                                 QStringLiteral("phase gap 1"),
                                 QStringLiteral("wait 0.8"),
                                 QStringLiteral("phase play 2"),
                                 QStringLiteral("play 2-3 at 1.5"),
                                 QStringLiteral("phase gap 2"),
                                 QStringLiteral("wait 0.8"),
                             }));
    }

    void stopsAtTheFirstStepThatDoesNotComplete() {
        Script stopped;
        stopped.failingPlay = 2;
        QVERIFY(!QCoro::waitFor(LoopRunner::run(Sentence(0, 1), PracticeSettings::standard(),
                                                stopped.playOperation(), stopped.waitOperation(),
                                                stopped.phaseOperation())));
        QCOMPARE(stopped.log.filter(QStringLiteral("phase")),
                 QStringList({QStringLiteral("phase play 1"), QStringLiteral("phase gap 1"),
                              QStringLiteral("phase play 2")}));
        QCOMPARE(stopped.plays, 2);

        // A cancellation thrown by the caller's operation is a stop, not an error.
        Script cancelled;
        cancelled.cancellingPlay = 1;
        QVERIFY(!QCoro::waitFor(
            LoopRunner::run(Sentence(0, 1), PracticeSettings::standard(), cancelled.playOperation(),
                            cancelled.waitOperation(), cancelled.phaseOperation())));
        QCOMPARE(cancelled.log.filter(QStringLiteral("phase")).size(), 1);
    }

    void stopRequestEndsTheRunBeforeTheNextStep() {
        // Requested while a wait is under way, the last step of the plan or not: that wait still
        // reports true, but nothing follows and the run has not completed.
        for (int repeats : {1, 3}) {
            Script script;
            std::stop_source stop;
            script.stopInWait = &stop;
            QVERIFY(!QCoro::waitFor(LoopRunner::run(
                Sentence(0, 1), PracticeSettings(repeats, 1.0, 1.0, false), script.playOperation(),
                script.waitOperation(), script.phaseOperation(), stop.get_token())));
            QCOMPARE(script.log.last(), QStringLiteral("wait 1"));
            QCOMPARE(script.log.filter(QStringLiteral("phase")).size(), 2);
        }

        // Requested before the run: no step starts and the caller hears of none.
        Script early;
        std::stop_source stopped;
        stopped.request_stop();
        QVERIFY(!QCoro::waitFor(LoopRunner::run(Sentence(0, 1), PracticeSettings::standard(),
                                                early.playOperation(), early.waitOperation(),
                                                early.phaseOperation(), stopped.get_token())));
        QVERIFY(early.log.isEmpty());
    }
};

QTEST_GUILESS_MAIN(LoopRunnerTest)
#include "LoopRunnerTest.moc"

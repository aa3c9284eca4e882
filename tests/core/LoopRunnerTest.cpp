#include "practice/LoopRunner.h"
#include "base/QuellinError.h"

#include <QCoroTimer>
#include <QTest>

#include <chrono>

using namespace std::chrono_literals;

namespace {

// Stands in for the player and the clock: each operation takes a little time on the event loop
// and writes what happened into a log, so the order and overlap of steps can be checked.
struct Script {
    QStringList log;
    bool inFlight = false;
    bool overlapped = false;
    int plays = 0;
    int failingPlay = 0;                    // the play (counted from 1) that reports it was stopped
    int cancellingPlay = 0;                 // the play that throws OperationCancelled
    std::stop_source* stopInWait = nullptr; // requested as soon as a wait starts

    QCoro::Task<bool> step(QString entry) {
        overlapped = overlapped || inFlight;
        inFlight = true;
        log << entry;
        co_await QCoro::sleepFor(1ms);
        inFlight = false;
        co_return true;
    }

    bool run(Sentence sentence, PracticeSettings settings, std::stop_token stop = {}) {
        return QCoro::waitFor(LoopRunner::run(
            sentence, settings,
            [this](Sentence s, double rate) -> QCoro::Task<bool> {
                co_await step(QStringLiteral("play %1-%2 at %3").arg(s.start).arg(s.end).arg(rate));
                if (++plays == cancellingPlay)
                    throw OperationCancelled();
                co_return plays != failingPlay;
            },
            [this](double seconds) -> QCoro::Task<bool> {
                if (stopInWait)
                    stopInWait->request_stop();
                co_return co_await step(QStringLiteral("wait %1").arg(seconds));
            },
            [this](const PracticeStep& step) {
                log << QStringLiteral("phase %1 %2")
                           .arg(step.kind == PracticeStep::Kind::play ? "play" : "gap")
                           .arg(step.repetition);
            },
            stop));
    }
};

} // namespace

class LoopRunnerTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runsEveryStepInOrderAtTheClampedRate() {
        Script script;
        QVERIFY(script.run(Sentence(2, 3), PracticeSettings(2, 3.0, 1.0, false)));
        QVERIFY(!script.overlapped);
        // Two thirds of a second at 1.5: the pause is the least one, 0.8 s.
        QCOMPARE(script.log,
                 QStringList({"phase play 1", "play 2-3 at 1.5", "phase gap 1", "wait 0.8",
                              "phase play 2", "play 2-3 at 1.5", "phase gap 2", "wait 0.8"}));
    }

    void stopsAtTheFirstStepThatDoesNotComplete() {
        Script stopped;
        stopped.failingPlay = 2;
        QVERIFY(!stopped.run(Sentence(0, 1), PracticeSettings::standard()));
        QCOMPARE(stopped.log.filter("phase"),
                 QStringList({"phase play 1", "phase gap 1", "phase play 2"}));
        QCOMPARE(stopped.plays, 2);

        // A cancellation thrown by the caller's operation is a stop, not an error.
        Script cancelled;
        cancelled.cancellingPlay = 1;
        QVERIFY(!cancelled.run(Sentence(0, 1), PracticeSettings::standard()));
        QCOMPARE(cancelled.log.filter("phase").size(), 1);

        // A stop requested while a wait is under way, the last step of the plan or not: that
        // wait still reports true, but nothing follows and the run has not completed.
        for (int repeats : {1, 3}) {
            Script script;
            std::stop_source stop;
            script.stopInWait = &stop;
            QVERIFY(!script.run(Sentence(0, 1), PracticeSettings(repeats, 1.0, 1.0, false),
                                stop.get_token()));
            QCOMPARE(script.log.last(), QStringLiteral("wait 1"));
            QCOMPARE(script.log.filter("phase").size(), 2);
        }

        // Requested before the run: no step starts and the caller hears of none.
        Script early;
        std::stop_source before;
        before.request_stop();
        QVERIFY(!early.run(Sentence(0, 1), PracticeSettings::standard(), before.get_token()));
        QVERIFY(early.log.isEmpty());
    }
};

QTEST_GUILESS_MAIN(LoopRunnerTest)
#include "LoopRunnerTest.moc"

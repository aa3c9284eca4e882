#include "audio/Player.h"
#include "audio/ClockedAudioDevices.h"
#include "audio/Resumer.h"
#include "media/MediaError.h"
#include "SignalAnalysis.h"
#include "TestMedia.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <QCoroTask>

#include <atomic>
#include <thread>

namespace {

// What became of an awaited play: its result, when it came, and how often the caller went on.
struct Outcome {
    std::optional<bool> result;
    int resumptions = 0;
    std::chrono::steady_clock::time_point at;

    qint64 millisecondsAfter(std::chrono::steady_clock::time_point start) const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(at - start).count();
    }
};

QCoro::Task<> await(QCoro::Task<bool> play, Outcome* outcome) {
    outcome->result = co_await std::move(play);
    outcome->at = std::chrono::steady_clock::now();
    ++outcome->resumptions;
}

double secondsSince(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) * 1e-9;
}

} // namespace

// The player's control logic on a clock-driven output: what is released when, and how often.
class PlayerTest final : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString tone;  // 3 s of 220 Hz
    QString other; // 1 s of 440 Hz
    QString take;  // 2 s of 330 Hz, AAC in .m4a

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(folder.isValid());
        tone = TestMedia::tone(folder.path(), QStringLiteral("tone.wav"), 3, 44100, 1, 220);
        other = TestMedia::tone(folder.path(), QStringLiteral("other.wav"), 1, 44100, 1, 440);
        take = TestMedia::convert(
            TestMedia::tone(folder.path(), QStringLiteral("take.wav"), 2, 44100, 1, 330),
            folder.filePath(QStringLiteral("take.m4a")));
    }

    void resumerFiresOnceFromEitherSide() {
        // A release before the caller attached is kept.
        Resumer early;
        early.resume();
        int calls = 0;
        early.attach([&] { ++calls; });
        QCOMPARE(calls, 1);
        early.resume();
        QCOMPARE(calls, 1);

        // The end of the audio and a stop race on two threads: exactly one releases the caller.
        for (int round = 0; round < 2000; ++round) {
            Resumer resumer;
            std::atomic<int> released = 0;
            resumer.attach([&] { ++released; });
            std::thread audio([&] { resumer.resume(); });
            resumer.resume();
            audio.join();
            QCOMPARE(released.load(), 1);
        }
    }

    void nothingToPlay() {
        auto devices = std::make_shared<ClockedAudioDevices>();
        Player player(devices);
        QCOMPARE(QCoro::waitFor(player.play(0, 1, 1)), false); // no file yet

        player.load(tone);
        QVERIFY(player.hasFile());
        QCOMPARE(QCoro::waitFor(player.play(5, 5, 1)), true);
        QCOMPARE(QCoro::waitFor(player.play(3, 4, 1)), true); // at the end of the file
        QCOMPARE(QCoro::waitFor(player.play(7, 9, 0.5)), true);
        QCOMPARE(QCoro::waitFor(player.play(2, 1, 1)), true); // end before start
        QVERIFY(devices->playbacks().empty());

        player.unload();
        QCOMPARE(QCoro::waitFor(player.play(0, 1, 1)), false);
    }

    void loadFailureKeepsTheFile() {
        auto devices = std::make_shared<ClockedAudioDevices>();
        devices->options().speed = 20;
        Player player(devices);
        player.load(tone);
        const QString text = TestMedia::textFile(folder.filePath(QStringLiteral("notes.mp3")),
                                                 "these are not sounds\n");
        QVERIFY_THROWS_EXCEPTION(MediaError, player.load(text));
        QVERIFY_THROWS_EXCEPTION(MediaError, player.load(folder.filePath("missing.wav")));
        QVERIFY(player.hasFile());
        QCOMPARE(QCoro::waitFor(player.play(0.5, 1, 1)), true);
        QCOMPARE(devices->playbacks().size(), size_t(1));
    }

    void segmentPlaysToItsEnd() {
        auto devices = std::make_shared<ClockedAudioDevices>();
        devices->options().latency = 0.1;
        Player player(devices);
        player.load(tone);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QCoro::waitFor(player.play(1.0, 1.5, 1)), true);
        // Released when the last frame was heard, not when it was handed over.
        QVERIFY2(secondsSince(timer) >= 0.58, qPrintable(QString::number(secondsSince(timer))));
        QVERIFY(secondsSince(timer) < 0.9);
        QCOMPARE(devices->playbacks().at(0).frames.size(), size_t(22050));
    }

    void stopReleasesTheCallerOnce() {
        // This output also reports the end of the segment it was stopped in, after the stop.
        auto devices = std::make_shared<ClockedAudioDevices>();
        devices->options().reportsAfterStop = true;
        Player player(devices);
        player.load(tone);
        const quint64 before = player.generation();
        Outcome outcome;
        auto waiting = await(player.play(0, 2, 1), &outcome);
        QTest::qWait(150);
        QVERIFY(!outcome.result);
        const auto stopped = std::chrono::steady_clock::now();
        player.stop();
        QTRY_VERIFY_WITH_TIMEOUT(outcome.result.has_value(), 1000);
        // At once: long before the 1.85 s left of the segment, even on a busy machine.
        QVERIFY(outcome.millisecondsAfter(stopped) < 1000);
        QCOMPARE(*outcome.result, false);
        QVERIFY(!player.failure());
        QTest::qWait(100);
        QCOMPARE(outcome.resumptions, 1);
        QCOMPARE(player.generation(), before + 1);
        QVERIFY(devices->playbacks().at(0).stopped);
    }

    void endReportedBeforeTheCallerWaits() {
        // A very fast device can report the end before the caller is suspended.
        auto devices = std::make_shared<ClockedAudioDevices>();
        devices->options().speed = 1000;
        Player player(devices);
        player.load(tone);
        for (int i = 0; i < 30; ++i)
            QCOMPARE(QCoro::waitFor(player.play(0.01 * i, 0.01 * i + 0.005, 1)), true);
    }

    void loadDuringPlayEndsIt() {
        auto devices = std::make_shared<ClockedAudioDevices>();
        Player player(devices);
        player.load(tone);
        Outcome outcome;
        auto waiting = await(player.play(0, 2.5, 0.5), &outcome);
        QTest::qWait(100);
        player.load(other);
        QTRY_VERIFY_WITH_TIMEOUT(outcome.result.has_value(), 1000);
        QCOMPARE(*outcome.result, false);
        // The new file plays.
        devices->options().speed = 20;
        QCOMPARE(QCoro::waitFor(player.play(0, 0.5, 1)), true);
        const auto frames = SignalAnalysis::firstChannel(devices->playbacks().back().frames, 1);
        QCOMPARE(qRound(SignalAnalysis::dominantFrequency(frames.data(), frames.size(), 44100, 200,
                                                          480)),
                 440);
    }

    void aSecondPlayEndsTheFirst() {
        auto devices = std::make_shared<ClockedAudioDevices>();
        Player player(devices);
        player.load(tone);
        Outcome first, second;
        auto one = await(player.play(0, 2, 1), &first);
        QTest::qWait(50);
        auto two = await(player.play(0, 0.2, 1), &second);
        QTRY_VERIFY_WITH_TIMEOUT(first.result && second.result, 2000);
        QCOMPARE(*first.result, false);
        QCOMPARE(*second.result, true);
        QCOMPARE(first.resumptions + second.resumptions, 2);
    }

    void outputThatFails() {
        auto devices = std::make_shared<ClockedAudioDevices>();
        devices->options().speed = 20;
        devices->options().outputFails = true;
        Player player(devices);
        player.load(tone);
        QCOMPARE(QCoro::waitFor(player.play(0, 1, 1)), false);
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0, {})), false);
        // Part-way through: not heard to the end.
        devices->options().outputFails = false;
        devices->options().outputFailsAfter = 0.2;
        QCOMPARE(QCoro::waitFor(player.play(0, 1, 1)), false);
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0, {})), false);
        QCOMPARE(player.failure(), QStringLiteral("The sound output device stopped working."));
        devices->options().outputFailsAfter.reset();
        devices->options().outputFails = false;
        QCOMPARE(QCoro::waitFor(player.play(0, 1, 1)), true);
    }

    void takes() {
        auto devices = std::make_shared<ClockedAudioDevices>();
        Player player(devices);
        QElapsedTimer timer;

        // To its end.
        timer.start();
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0, {})), true);
        QVERIFY2(qAbs(secondsSince(timer) - 2.0) < 0.15,
                 qPrintable(QString::number(secondsSince(timer))));
        QVERIFY(qAbs(long(devices->playbacks().back().frames.size()) - 88200) < 2048);

        // To 1.5 s, from 0.5 s.
        timer.start();
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0.5, 1.5)), true);
        QVERIFY2(qAbs(secondsSince(timer) - 1.0) < 0.1,
                 qPrintable(QString::number(secondsSince(timer))));
        QVERIFY(qAbs(long(devices->playbacks().back().frames.size()) - 44100) < 441);

        // Stopped.
        Outcome outcome;
        auto waiting = await(player.playTake(take, 0, {}), &outcome);
        QTest::qWait(200);
        const auto stopped = std::chrono::steady_clock::now();
        player.stop();
        QTRY_VERIFY_WITH_TIMEOUT(outcome.result.has_value(), 1000);
        QVERIFY(outcome.millisecondsAfter(stopped) <= 50);
        QCOMPARE(*outcome.result, false);
        QVERIFY(devices->playbacks().back().stopped);

        // Cut short by another take.
        Outcome replaced;
        auto first = await(player.playTake(take, 0, {}), &replaced);
        QTest::qWait(100);
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0, 0.1)), true);
        QTRY_VERIFY_WITH_TIMEOUT(replaced.result.has_value(), 1000);
        QCOMPARE(*replaced.result, false);

        // A take that cannot be opened, and one whose start lies past its end.
        QCOMPARE(QCoro::waitFor(player.playTake(folder.filePath("missing.m4a"), 0, {})), false);
        QCOMPARE(QCoro::waitFor(player.playTake(take, 5, {})), true);
    }
};

QTEST_GUILESS_MAIN(PlayerTest)
#include "PlayerTest.moc"

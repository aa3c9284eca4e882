#include "audio/Player.h"
#include "audio/ClockedAudioDevices.h"
#include "audio/Resumer.h"
#include "media/MediaError.h"
#include "SignalAnalysis.h"
#include "TestMedia.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <QCoroTask>

#include <atomic>
#include <cmath>
#include <random>
#include <thread>

namespace {

// What became of an awaited play: its result, and how often the caller went on.
struct Outcome {
    std::optional<bool> result;
    int resumptions = 0;
};

QCoro::Task<> await(QCoro::Task<bool> play, Outcome* outcome) {
    outcome->result = co_await std::move(play);
    ++outcome->resumptions;
}

} // namespace

// The player on a clock-driven output: what is released when and how often, and what it hands
// to the output (the pitch at other rates, where a segment starts and ends).
class PlayerTest final : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString tone;  // 3 s of 220 Hz
    QString other; // 1 s of 440 Hz
    QString take;  // 2 s of 330 Hz, AAC in .m4a
    std::shared_ptr<ClockedAudioDevices> devices;

    // Channel 0 of what the output was handed last.
    std::vector<float> lastPlayed() const {
        const auto playback = devices->playbacks().back();
        return SignalAnalysis::firstChannel(playback.frames, playback.format.channels);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(folder.isValid());
        tone = TestMedia::tone(folder.path(), "tone.wav", 3, 44100, 1, 220);
        other = TestMedia::tone(folder.path(), "other.wav", 1, 44100, 1, 440);
        take = TestMedia::convert(TestMedia::tone(folder.path(), "take.wav", 2, 44100, 1, 330),
                                  folder.filePath("take.m4a"));
    }
    void init() { devices = std::make_shared<ClockedAudioDevices>(); }

    void resumerFiresOnceFromEitherSide() {
        // A release before the caller attached is kept.
        Resumer early;
        early.resume();
        int calls = 0;
        early.attach([&] { ++calls; });
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

    void nothingToPlayAndFilesThatFail() {
        devices->options().speed = 20;
        Player player(devices);
        QCOMPARE(QCoro::waitFor(player.play(0, 1, 1)), false); // no file yet
        player.load(tone);
        // At the end of the file, past it, end before start: done, nothing handed over.
        for (const auto& [start, end] : {std::pair(5.0, 5.0), {3.0, 4.0}, {2.0, 1.0}})
            QCOMPARE(QCoro::waitFor(player.play(start, end, 1)), true);
        QVERIFY(devices->playbacks().empty());
        // A file that cannot be loaded leaves the earlier one in place.
        const QString text = TestMedia::textFile(folder.filePath("notes.mp3"), "not sounds\n");
        QVERIFY_THROWS_EXCEPTION(MediaError, player.load(text));
        QVERIFY_THROWS_EXCEPTION(MediaError, player.load(folder.filePath("missing.wav")));
        QCOMPARE(QCoro::waitFor(player.play(0.5, 1, 1)), true);
        QCOMPARE(devices->playbacks().size(), size_t(1));
        player.unload();
        QCOMPARE(QCoro::waitFor(player.play(0, 1, 1)), false);
    }

    void segmentPlaysToItsEnd() {
        devices->options().latency = 0.1;
        Player player(devices);
        player.load(tone);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QCoro::waitFor(player.play(1.0, 1.5, 1)), true);
        // Released when the last frame was heard, not when it was handed over.
        QVERIFY2(timer.elapsed() >= 580, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(devices->playbacks().at(0).frames.size(), size_t(22050));
        // A very fast device can report the end before the caller is suspended.
        devices->options().speed = 1000;
        for (int i = 0; i < 30; ++i)
            QCOMPARE(QCoro::waitFor(player.play(0.01 * i, 0.01 * i + 0.005, 1)), true);
    }

    void somethingElseEndsThePlay_data() {
        QTest::addColumn<QString>("what");
        for (const char* what : {"stop", "load", "play"})
            QTest::newRow(what) << QString::fromLatin1(what);
    }
    void somethingElseEndsThePlay() {
        QFETCH(QString, what);
        // This output also reports the end of the segment it was stopped in, after the stop.
        devices->options().reportsAfterStop = true;
        Player player(devices);
        player.load(tone);
        const quint64 before = player.generation();
        Outcome outcome;
        auto waiting = await(player.play(0, 2, 1), &outcome);
        QTest::qWait(150);
        QVERIFY(!outcome.result);
        if (what == u"stop")
            player.stop();
        else if (what == u"load")
            player.load(other);
        else
            QCOMPARE(QCoro::waitFor(player.play(0, 0.2, 1)), true);
        // At once: long before the 1.85 s left of the segment.
        QTRY_VERIFY_WITH_TIMEOUT(outcome.result.has_value(), 1000);
        QCOMPARE(*outcome.result, false);
        QVERIFY(!player.failure());
        QTest::qWait(100);
        QCOMPARE(outcome.resumptions, 1);
        QVERIFY(devices->playbacks().at(0).stopped);
        if (what == u"stop")
            QCOMPARE(player.generation(), before + 1);
        if (what == u"load") { // the new file plays
            devices->options().speed = 20;
            QCOMPARE(QCoro::waitFor(player.play(0, 0.5, 1)), true);
            const auto frames = lastPlayed();
            QCOMPARE(
                qRound(SignalAnalysis::dominantFrequency(frames.data(), 11025, 44100, 200, 480)),
                440);
        }
    }

    void outputThatFails() {
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
        QCOMPARE(QCoro::waitFor(player.play(0, 1, 1)), true);
    }

    void takes() {
        Player player(devices);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0, {})), true);
        QVERIFY2(timer.elapsed() >= 1850, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(qAbs(long(devices->playbacks().back().frames.size()) - 88200) < 2048);
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0.5, 1.5)), true);
        QVERIFY(qAbs(long(devices->playbacks().back().frames.size()) - 44100) < 441);

        // Stopped, then cut short by another take: neither was heard to its end.
        Outcome stopped, replaced;
        auto first = await(player.playTake(take, 0, {}), &stopped);
        QTest::qWait(100);
        player.stop();
        QTRY_VERIFY_WITH_TIMEOUT(stopped.result.has_value(), 1000);
        QCOMPARE(*stopped.result, false);
        QVERIFY(devices->playbacks().back().stopped);
        auto second = await(player.playTake(take, 0, {}), &replaced);
        QTest::qWait(100);
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0, 0.1)), true);
        QTRY_VERIFY_WITH_TIMEOUT(replaced.result.has_value(), 1000);
        QCOMPARE(*replaced.result, false);

        // A take that cannot be opened, and one whose start lies past its end.
        QCOMPARE(QCoro::waitFor(player.playTake(folder.filePath("missing.m4a"), 0, {})), false);
        QCOMPARE(QCoro::waitFor(player.playTake(take, 5, {})), true);
    }

    void keepsThePitchAtOtherRates_data() {
        QTest::addColumn<double>("rate");
        QTest::newRow("half speed") << 0.5;
        QTest::newRow("normal") << 1.0;
        QTest::newRow("one and a half") << 1.5;
    }
    void keepsThePitchAtOtherRates() {
        QFETCH(double, rate);
        // One second of silence, then three of a 220 Hz tone.
        std::vector<float> samples(4 * 44100, 0.0f);
        for (size_t i = 44100; i < samples.size(); ++i)
            samples[i] = 0.5f * float(std::sin(2 * M_PI * 220 * double(i) / 44100));
        devices->options().speed = 50;
        Player player(devices);
        player.load(TestMedia::floatWav(folder.filePath("220.wav"), 44100, 1, samples));
        QCOMPARE(QCoro::waitFor(player.play(0.5, 3.5, rate)), true);
        const auto frames = lastPlayed();
        QCOMPARE(long(frames.size()), std::lround(3 * 44100 / rate)); // exactly n / rate frames
        // The tone sets in where it does in the file, with no delay of the stretcher's own.
        size_t onset = 0;
        while (onset < frames.size() && std::abs(frames[onset]) < 0.05f)
            ++onset;
        QVERIFY2(std::abs(double(onset) - 0.5 / rate * 44100) <= 441,
                 qPrintable(QString::number(onset)));
        // It sounds to the last frame.
        QVERIFY(SignalAnalysis::rms(frames, frames.size() - 88, 88) > 0.05);
        // A quarter of a second resolves the pitch to well within the 3 Hz allowed.
        const double frequency = SignalAnalysis::dominantFrequency(
            frames.data() + frames.size() / 2 - 5512, 11025, 44100, 100, 460);
        QVERIFY2(std::abs(frequency - 220) <= 3, qPrintable(QString::number(frequency)));
    }

    void startsAndEndsWhereAsked_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<long>("tolerance"); // frames
        QTest::newRow("wav") << QStringLiteral("wav") << 44L;
        QTest::newRow("mp3") << QStringLiteral("mp3") << 220L;
        QTest::newRow("aac") << QStringLiteral("m4a") << 220L;
    }
    void startsAndEndsWhereAsked() {
        QFETCH(QString, format);
        QFETCH(long, tolerance);
        // Noise matches itself at one shift only.
        std::vector<float> noise(6 * 44100);
        std::minstd_rand random(7);
        std::uniform_real_distribution<float> uniform(-0.5f, 0.5f);
        for (float& sample : noise)
            sample = uniform(random);
        QString file = TestMedia::floatWav(folder.filePath("noise.wav"), 44100, 1, noise);
        if (format != u"wav")
            file = TestMedia::convert(file, folder.filePath("noise." + format));
        devices->options().speed = 50;
        Player player(devices);
        player.load(file);
        QCOMPARE(QCoro::waitFor(player.play(2.345, 3.5, 1)), true);
        const auto frames = lastPlayed();
        const long from = long(2.345 * 44100), length = long((3.5 - 2.345) * 44100), window = 4096;
        QCOMPARE(long(frames.size()), length);
        for (const long at : {0L, length - window}) {
            const long shift =
                SignalAnalysis::bestShift(noise, from + at, frames.data() + at, window, 300);
            QVERIFY2(std::abs(shift) <= tolerance, qPrintable(QString::number(shift)));
        }
    }
};

QTEST_GUILESS_MAIN(PlayerTest)
#include "PlayerTest.moc"

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
        std::vector<float> mono;
        for (size_t i = 0; i < playback.frames.size(); i += size_t(playback.format.channels))
            mono.push_back(playback.frames[i]);
        return mono;
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

    void nothingToPlayAndThingsThatFail() {
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
        // A take that cannot be opened, and one whose start lies past its end.
        QCOMPARE(QCoro::waitFor(player.playTake(folder.filePath("missing.m4a"), 0, {})), false);
        QCOMPARE(QCoro::waitFor(player.playTake(take, 5, {})), true);

        player.load(tone);
        devices->options().outputFails = true;
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

    // Released when the last frame was heard, not when it was handed over.
    void segmentsAndTakesPlayToTheirEnd() {
        devices->options().latency = 0.1;
        Player player(devices);
        player.load(tone);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QCoro::waitFor(player.play(1.0, 1.5, 1)), true);
        QVERIFY2(timer.elapsed() >= 580, qPrintable(QString::number(timer.elapsed())));
        timer.restart();
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0, {})), true);
        QVERIFY2(timer.elapsed() >= 1850, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(qAbs(long(devices->playbacks().back().frames.size()) - 88200) < 2048);
        devices->options().speed = 1000; // may report the end before the caller is suspended
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0.5, 1.5)), true);
        QVERIFY(qAbs(long(devices->playbacks().back().frames.size()) - 44100) < 441);
        // A take played at another level (compared at the original's loudness).
        const double level = SignalAnalysis::rms(lastPlayed(), 4410, 22050);
        QCOMPARE(QCoro::waitFor(player.playTake(take, 0.5, 1.5, 0.25)), true);
        QVERIFY(std::abs(SignalAnalysis::rms(lastPlayed(), 4410, 22050) / level - 0.25) < 0.01);
        for (int i = 0; i < 30; ++i)
            QCOMPARE(QCoro::waitFor(player.play(0.01 * i, 0.01 * i + 0.005, 1)), true);
    }

    void somethingElseEndsThePlay_data() {
        QTest::addColumn<QString>("what");
        for (const char* what : {"stop", "load", "play", "take stop", "take take"})
            QTest::newRow(what) << QString::fromLatin1(what);
    }
    void somethingElseEndsThePlay() {
        QFETCH(QString, what);
        // This output also reports the end of the segment it was stopped in, after the stop.
        devices->options().reportsAfterStop = true;
        Player player(devices);
        player.load(tone);
        const quint64 before = player.generation();
        const bool ofTake = what.startsWith(u"take");
        Outcome outcome;
        auto waiting =
            await(ofTake ? player.playTake(take, 0, {}) : player.play(0, 2, 1), &outcome);
        QTRY_VERIFY(!devices->playbacks().empty() && !devices->playbacks()[0].frames.empty());
        QVERIFY(!outcome.result);
        if (what.endsWith(u"stop"))
            player.stop();
        else if (what == u"load")
            player.load(other);
        else if (what == u"play")
            QCOMPARE(QCoro::waitFor(player.play(0, 0.2, 1)), true);
        else
            QCOMPARE(QCoro::waitFor(player.playTake(take, 0, 0.1)), true);
        // At once: long before the 1.85 s left.
        QTRY_VERIFY_WITH_TIMEOUT(outcome.result.has_value(), 1000);
        QCOMPARE(*outcome.result, false);
        QVERIFY(!player.failure());
        QTest::qWait(100);
        QCOMPARE(outcome.resumptions, 1);
        QVERIFY(devices->playbacks().at(0).stopped);
        if (what == u"stop")
            QCOMPARE(player.generation(), before + 1);
        if (what == u"load") { // the new file, of 1 s, plays
            devices->options().speed = 20;
            QCOMPARE(QCoro::waitFor(player.play(0.5, 2, 1)), true);
            QCOMPARE(lastPlayed().size(), size_t(22050));
        }
    }

    void handsOverTheSegmentAtItsRate_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("rate");
        QTest::addColumn<long>("tolerance"); // frames off where the file has it, at rate 1
        QTest::newRow("wav") << QStringLiteral("wav") << 1.0 << 44L;
        QTest::newRow("mp3") << QStringLiteral("mp3") << 1.0 << 220L;
        QTest::newRow("aac") << QStringLiteral("m4a") << 1.0 << 220L;
        QTest::newRow("half speed") << QStringLiteral("wav") << 0.5 << 0L;
        QTest::newRow("one and a half") << QStringLiteral("wav") << 1.5 << 0L;
    }
    void handsOverTheSegmentAtItsRate() {
        QFETCH(QString, format);
        QFETCH(double, rate);
        QFETCH(long, tolerance);
        // One second of silence, then a 220 Hz tone over noise, which matches itself at one
        // shift only.
        std::vector<float> samples(5 * 44100, 0.0f);
        std::minstd_rand random(7);
        std::uniform_real_distribution<float> noise(-0.15f, 0.15f);
        for (size_t i = 44100; i < samples.size(); ++i)
            samples[i] = 0.4f * float(std::sin(2 * M_PI * 220 * double(i) / 44100)) + noise(random);
        QString file = TestMedia::floatWav(folder.filePath("220.wav"), 44100, 1, samples);
        if (format != u"wav")
            file = TestMedia::convert(file, folder.filePath("220." + format));
        devices->options().speed = 50;
        Player player(devices);
        player.load(file);
        QCOMPARE(QCoro::waitFor(player.play(0.5, 3.5, rate)), true);
        const auto frames = lastPlayed();
        QCOMPARE(long(frames.size()), std::lround(3 * 44100 / rate)); // exactly n / rate frames
        // The sound sets in where it does in the file, with no delay of the stretcher's own,
        // and lasts to the last frame.
        size_t onset = 0;
        while (onset < frames.size() && std::abs(frames[onset]) < 0.05f)
            ++onset;
        QVERIFY2(std::abs(double(onset) - 0.5 / rate * 44100) <= 441,
                 qPrintable(QString::number(onset)));
        QVERIFY(SignalAnalysis::rms(frames, frames.size() - 88, 88) > 0.05);
        // The pitch: the tone repeats itself after one period (200.45 frames at 220 Hz).
        const long middle = long(frames.size()) / 2,
                   period = 200 + SignalAnalysis::bestShift(frames, middle + 200,
                                                            frames.data() + middle, 11025, 20);
        QVERIFY2(std::abs(44100.0 / double(period) - 220) <= 3,
                 qPrintable(QString::number(period)));
        if (rate != 1)
            return;
        // Just after the onset and at the end, the frames are the file's own.
        const long window = 4096;
        for (const long at : {long(0.6 * 44100), long(frames.size()) - window}) {
            const long shift = SignalAnalysis::bestShift(samples, long(0.5 * 44100) + at,
                                                         frames.data() + at, window, 300);
            QVERIFY2(std::abs(shift) <= tolerance, qPrintable(QString::number(shift)));
        }
    }
};

QTEST_GUILESS_MAIN(PlayerTest)
#include "PlayerTest.moc"

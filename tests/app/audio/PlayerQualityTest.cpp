#include "audio/ClockedAudioDevices.h"
#include "audio/Player.h"
#include "SignalAnalysis.h"
#include "TestMedia.h"

#include <QTemporaryDir>
#include <QTest>

#include <QCoroTask>

#include <cmath>
#include <random>

// What the player hands to its output: the pitch at other rates, the length, and where a
// segment starts and ends in the file.
class PlayerQualityTest final : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    // Plays a segment on a fast clock and returns channel 0 of what the output was handed.
    std::vector<float> played(const QString& path, double start, double end, double rate) {
        auto devices = std::make_shared<ClockedAudioDevices>();
        devices->options().speed = 50;
        Player player(devices);
        player.load(path);
        if (!QCoro::waitFor(player.play(start, end, rate)))
            return {};
        const auto playback = devices->playbacks().at(0);
        return SignalAnalysis::firstChannel(playback.frames, playback.format.channels);
    }

private Q_SLOTS:
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
        const QString file =
            TestMedia::floatWav(folder.filePath(QStringLiteral("220.wav")), 44100, 1, samples);
        const auto frames = played(file, 0.5, 3.5, rate);
        // Exactly n / rate frames.
        QCOMPARE(long(frames.size()), std::lround(3 * 44100 / rate));
        // The tone sets in where it does in the file, with no delay of the stretcher's own.
        size_t onset = 0;
        while (onset < frames.size() && std::abs(frames[onset]) < 0.05f)
            ++onset;
        const double expected = 0.5 / rate * 44100;
        QVERIFY2(std::abs(double(onset) - expected) <= 0.01 * 44100,
                 qPrintable(QStringLiteral("%1 against %2").arg(onset).arg(expected)));
        // It sounds to the last frame.
        const double tail = SignalAnalysis::rms(frames, frames.size() - 88, 88);
        QVERIFY2(tail > 0.05, qPrintable(QString::number(tail)));
        const size_t middle = frames.size() / 2;
        const double frequency = SignalAnalysis::dominantFrequency(frames.data() + middle - 22050,
                                                                   44100, 44100, 100, 460);
        QVERIFY2(std::abs(frequency - 220) <= 3, qPrintable(QString::number(frequency)));
    }

    void startsAndEndsWhereAsked_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("tolerance"); // seconds
        QTest::newRow("wav") << QStringLiteral("wav") << 0.001;
        QTest::newRow("mp3") << QStringLiteral("mp3") << 0.005;
        QTest::newRow("aac") << QStringLiteral("m4a") << 0.005;
    }
    void startsAndEndsWhereAsked() {
        QFETCH(QString, format);
        QFETCH(double, tolerance);
        // Noise matches itself at one shift only.
        std::vector<float> noise(6 * 44100);
        std::minstd_rand random(7);
        std::uniform_real_distribution<float> uniform(-0.5f, 0.5f);
        for (float& sample : noise)
            sample = uniform(random);
        const QString original =
            TestMedia::floatWav(folder.filePath(QStringLiteral("noise.wav")), 44100, 1, noise);
        const QString file =
            format == QStringLiteral("wav")
                ? original
                : TestMedia::convert(original, folder.filePath(QStringLiteral("noise.") + format));
        const double start = 2.345, end = 3.5;
        const auto frames = played(file, start, end, 1.0);
        const long length = long((end - start) * 44100);
        QCOMPARE(long(frames.size()), length);
        const long window = 4096, maxShift = 1000;
        const long startShift =
            SignalAnalysis::bestShift(noise, long(start * 44100), frames.data(), window, maxShift);
        const long endShift =
            SignalAnalysis::bestShift(noise, long(start * 44100) + length - window,
                                      frames.data() + length - window, window, maxShift);
        QVERIFY2(std::abs(startShift) <= long(tolerance * 44100),
                 qPrintable(QString::number(startShift)));
        QVERIFY2(std::abs(endShift) <= long(tolerance * 44100),
                 qPrintable(QString::number(endShift)));
    }
};

QTEST_GUILESS_MAIN(PlayerQualityTest)
#include "PlayerQualityTest.moc"

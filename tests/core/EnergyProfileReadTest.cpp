#include "media/EnergyProfile.h"
#include "media/MediaError.h"

#include "TestMedia.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

std::vector<float> noise(qint64 samples, quint32 seed) {
    QRandomGenerator random(seed);
    std::vector<float> result(static_cast<size_t>(samples));
    for (float& sample : result)
        sample = float(random.bounded(2.0) - 1.0) * 0.8f;
    return result;
}

// The profile computed directly from the samples, in double precision throughout.
std::vector<double> expectedProfile(const std::vector<float>& interleaved, int channels, qint64 h) {
    const qint64 frames = qint64(interleaved.size()) / channels;
    std::vector<double> result;
    for (qint64 start = 0; start < frames; start += h) {
        const qint64 count = std::min(h, frames - start);
        if (count < h && count <= h / 2)
            break;
        double sum = 0;
        for (qint64 i = start; i < start + count; ++i)
            for (int c = 0; c < channels; ++c)
                sum += double(interleaved[size_t(i * channels + c)]) *
                       interleaved[size_t(i * channels + c)] / channels;
        result.push_back(std::sqrt(sum / double(count)));
    }
    return result;
}

} // namespace

class EnergyProfileReadTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    // Reads noise of `frames` frames, `h` samples a profile frame, and compares it with the
    // computation on the samples; `count` frames are expected.
    void compare(int rate, int channels, qint64 frames, qint64 h, size_t count) {
        const auto samples = noise(frames * channels, quint32(frames));
        const QString path = TestMedia::floatWav(
            m_folder.filePath(QStringLiteral("%1-%2.wav").arg(frames).arg(channels)), rate,
            channels, samples);
        const EnergyProfile profile = EnergyProfile::read(path, 0.01);
        QCOMPARE(profile.frameDuration, double(h) / rate);
        const auto expected = expectedProfile(samples, channels, h);
        QCOMPARE(profile.rms.size(), count);
        QCOMPARE(expected.size(), count);
        for (size_t i = 0; i < expected.size(); ++i)
            QVERIFY2(std::abs(profile.rms[i] - expected[i]) < 1e-6, qPrintable(path));
    }

private Q_SLOTS:
    void matchesAComputationOnTheSamples() {
        // Long enough to span several read blocks; a last frame counts when more than half full.
        compare(44100, 1, 44100 * 3 + 300, 441, 301);
        compare(48000, 2, 48000 * 2 + 100, 480, 200);
        compare(22050, 6, 22050 + 50, 220, 100);
        compare(44100, 1, 1103, 441, 3);
        compare(44100, 1, 1102, 441, 2); // exactly half full
    }

    void oddFrameDurations() {
        // An empty file has no frames but a frame duration.
        const QString empty =
            TestMedia::floatWav(m_folder.filePath(QStringLiteral("empty.wav")), 44100, 1, {});
        const EnergyProfile none = EnergyProfile::read(empty, 0.01);
        QVERIFY(none.rms.empty());
        QCOMPARE(none.frameDuration, 441.0 / 44100);
        // Odd frame durations still make whole-sample frames, never an empty one.
        const QString path = TestMedia::floatWav(m_folder.filePath(QStringLiteral("odd.wav")),
                                                 44100, 1, noise(1103, 7));
        QCOMPARE(EnergyProfile::read(path, 0.0).frameDuration, 1.0 / 44100);
        QCOMPARE(EnergyProfile::read(path, std::nan("")).rms.size(), size_t(1103));
        QCOMPARE(EnergyProfile::read(path, 1000.0).rms.size(), size_t(0));
    }

    void averagesChannels() {
        // 500 Hz: a 441-sample frame holds exactly five periods.
        const QString mono =
            TestMedia::tone(m_folder.path(), QStringLiteral("tone.wav"), 1, 44100, 1, 500);
        const QString stereo =
            TestMedia::convert(mono, m_folder.filePath(QStringLiteral("left only.wav")),
                               {QStringLiteral("-af"), QStringLiteral("pan=stereo|c0=c0|c1=0*c0")});
        const EnergyProfile one = EnergyProfile::read(mono, 0.01);
        const EnergyProfile two = EnergyProfile::read(stereo, 0.01);
        QCOMPARE(one.rms.size(), two.rms.size());
        QCOMPARE(one.rms.size(), size_t(100));
        for (size_t i = 0; i < one.rms.size(); ++i)
            QVERIFY(std::abs(one.rms[i] / two.rms[i] - std::sqrt(2.0f)) < 1e-5f);
        QVERIFY2(std::abs(one.rms[50] - 0.5f / std::sqrt(2.0f)) < 1e-3f,
                 qPrintable(QString::number(one.rms[50])));
    }

    void readsCompressedFiles() {
        const QString wav = TestMedia::tone(m_folder.path(), QStringLiteral("t.wav"), 2, 48000, 2);
        const EnergyProfile profile = EnergyProfile::read(
            TestMedia::convert(wav, m_folder.filePath(QStringLiteral("t.mp3"))), 0.01);
        QCOMPARE(profile.frameDuration, 0.01);
        QVERIFY2(std::abs(profile.duration() - 2.0) < 0.06,
                 qPrintable(QString::number(profile.duration())));
        QVERIFY(std::abs(profile.rms[100] - 0.5f / std::sqrt(2.0f)) < 0.02f);
    }

    void reportsProgressAndStops() {
        const QString path = TestMedia::tone(m_folder.path(), QStringLiteral("p.wav"), 5);
        std::vector<double> fractions;
        EnergyProfile::read(path, 0.01, {}, [&](double f) { fractions.push_back(f); });
        QVERIFY(fractions.size() >= 5);
        QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
        QCOMPARE(fractions.back(), 1.0);

        std::stop_source stop;
        QVERIFY_THROWS_EXCEPTION(OperationCancelled,
                                 EnergyProfile::read(path, 0.01, stop.get_token(), [&](double f) {
                                     if (f > 0.3)
                                         stop.request_stop();
                                 }));
        QVERIFY_THROWS_EXCEPTION(
            MediaError,
            EnergyProfile::read(
                TestMedia::textFile(m_folder.filePath(QStringLiteral("x.wav")), "RIFF?"), 0.01));
    }
};

QTEST_GUILESS_MAIN(EnergyProfileReadTest)
#include "EnergyProfileReadTest.moc"

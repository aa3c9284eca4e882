#include "analysis/TimeWarp.h"

#include <QTest>

#include <cmath>
#include <numbers>

namespace {

constexpr int rate = 22050;

// Tones one after another, each (frequency, seconds): a sound whose parts the features tell apart.
std::vector<float> tones(const std::vector<std::pair<double, double>>& parts) {
    std::vector<float> samples;
    for (const auto& [frequency, seconds] : parts)
        for (int i = 0; i < int(seconds * rate); ++i)
            samples.push_back(
                float(0.3 * std::sin(2 * std::numbers::pi * frequency * i / double(rate))));
    return samples;
}

FeatureFrames features(const std::vector<std::pair<double, double>>& parts) {
    FeatureFrames frames = voiceFeatures(tones(parts), rate);
    normaliseFeatures(frames);
    return frames;
}

// The frame of b paired first with frame `i` of a.
qsizetype pairedWith(const WarpPath& path, qsizetype i) {
    for (const auto& [x, y] : path.steps)
        if (x == i)
            return y;
    return -1;
}

} // namespace

class AnalysisTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void featuresAreNormalisedFramesPerHop() {
        const FeatureFrames frames = features({{300, 0.5}, {2000, 0.5}});
        // 0.01 s in whole samples.
        QVERIFY(frames.hop == 221.0 / rate && frames.count() == size_t(rate / 221));
        for (int k = 0; k < frames.dimensions; ++k) {
            double sum = 0, squares = 0;
            for (size_t i = 0; i < frames.count(); ++i) {
                sum += frames.frame(i)[k];
                squares += frames.frame(i)[k] * frames.frame(i)[k];
            }
            QVERIFY(std::abs(sum / double(frames.count())) < 1e-3);
            QVERIFY(std::abs(squares / double(frames.count()) - 1) < 1e-2 || squares == 0);
        }
        // Fed in odd blocks, the analyser gives the same frames as in one piece.
        const std::vector<float> sound = tones({{300, 0.5}, {2000, 0.5}});
        FeatureAnalyser analyser(rate);
        for (size_t at = 0; at < sound.size(); at += 1000)
            analyser.add(std::span(sound).subspan(at, std::min<size_t>(1000, sound.size() - at)));
        QCOMPARE(analyser.take().values, voiceFeatures(sound, rate).values);
    }

    void warpPairsTheSameParts_data() {
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("levels"); // 0: timeWarp, else LongWarp forced to coarse levels
        QTest::newRow("full") << 0 << 0;
        QTest::newRow("band") << 40 << 0;
        QTest::newRow("coarse to fine") << 0 << 3;
    }
    void warpPairsTheSameParts() {
        QFETCH(int, band);
        QFETCH(int, levels);
        // The same four tones, b slower in some and faster in others.
        const FeatureFrames a = features({{300, 0.4}, {900, 0.6}, {2000, 0.3}, {4000, 0.5}});
        const FeatureFrames b = features({{300, 0.6}, {900, 0.4}, {2000, 0.5}, {4000, 0.4}});
        LongWarp coarseToFine;
        coarseToFine.coarsestCells = qsizetype(a.count() * b.count()) >> (2 * levels);
        coarseToFine.radius = 4;
        const WarpPath path = levels > 0 ? coarseToFine.warp(a, b) : timeWarp(a, b, band);
        using Cell = std::pair<qsizetype, qsizetype>;
        QCOMPARE(path.steps.front(), Cell(0, 0));
        QCOMPARE(path.steps.back(), Cell(a.count() - 1, b.count() - 1));
        for (size_t k = 1; k < path.steps.size(); ++k) {
            const auto step = std::pair(path.steps[k].first - path.steps[k - 1].first,
                                        path.steps[k].second - path.steps[k - 1].second);
            QVERIFY(step.first >= 0 && step.first <= 1 && step.second >= 0 && step.second <= 1 &&
                    step.first + step.second > 0);
        }
        // Each tone change in a lands on the change in b, within two frames (20 ms).
        for (const auto& [inA, inB] : {std::pair(40, 60), {100, 100}, {130, 150}}) {
            const qsizetype paired = pairedWith(path, inA);
            QVERIFY2(std::abs(paired - inB) <= 2, qPrintable(QString::number(paired)));
        }
        // Searching near the coarser path finds (nearly) the best pairing.
        QVERIFY(path.cost <= timeWarp(a, b).cost * 1.01);
    }

    void cappedGapsPassOverWhatTheOtherLacks() {
        // a holds a part that b does not (1200 Hz, after a pause): a capped gap passes it within
        // b's pause instead of pulling b's next part onto it.
        const FeatureFrames a = features({{300, 0.5}, {0, 0.3}, {1200, 0.8}, {0, 0.3}, {2000, 1}});
        const FeatureFrames b = features({{300, 0.5}, {0, 0.3}, {2000, 1}});
        LongWarp skipping;
        skipping.gapCap = 2;
        skipping.gapPenalty = 0.5;
        const WarpPath path = skipping.warp(a, b);
        QVERIFY(std::abs(pairedWith(path, 190) - 80) <= 3);
        QVERIFY(std::abs(pairedWith(path, 240) - 130) <= 3);

        // A sequence warped onto itself pairs frame with frame.
        QCOMPARE(timeWarp(a, a).steps.size(), a.count());
        QCOMPARE(timeWarp(a, a).cost, 0.0);
        QVERIFY(timeWarp(a, FeatureFrames{}).steps.empty());
    }
};

QTEST_GUILESS_MAIN(AnalysisTest)
#include "AnalysisTest.moc"

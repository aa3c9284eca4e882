#include "split/SilenceSplitter.h"
#include "TimedLists.h"

#include <QTest>

#include <cmath>
#include <random>

namespace {

constexpr double kFrame = 0.01;
constexpr float kSpeech = -20.0f;
constexpr float kSilence = -80.0f;

struct Stretch {
    double seconds;
    float decibels;
};
Stretch sound(double seconds, float decibels = kSpeech) {
    return {seconds, decibels};
}
Stretch quiet(double seconds) {
    return {seconds, kSilence};
}

// Frames of 0.01 s at the given levels, one stretch after the other.
EnergyProfile profileOf(const std::vector<Stretch>& stretches) {
    std::vector<float> rms;
    for (const Stretch& stretch : stretches)
        rms.insert(rms.end(), static_cast<size_t>(std::lround(stretch.seconds / kFrame)),
                   std::pow(10.0f, stretch.decibels / 20.0f));
    return EnergyProfile(kFrame, std::move(rms));
}

void setLevel(EnergyProfile& profile, double time, float decibels) {
    profile.rms[static_cast<size_t>(std::lround(time / kFrame))] = std::pow(10.0f, decibels / 20);
}

Ranges split(const std::vector<Stretch>& stretches,
             const SilenceSplitter& splitter = SilenceSplitter()) {
    return {splitter.split(profileOf(stretches))};
}

} // namespace

class SilenceSplitterTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void silentOrEmptyProfilesGiveNothing() {
        const SilenceSplitter splitter;
        QVERIFY(splitter.split(EnergyProfile()).empty());
        QVERIFY(splitter.split(EnergyProfile(kFrame, std::vector<float>(500, 0.0f))).empty());
        QVERIFY(splitter.split(EnergyProfile(0, std::vector<float>(500, 0.5f))).empty());
        // Loud frames below the 95th percentile do not make a silent recording speak...
        QCOMPARE(split({sound(10, -61), sound(0.4, -10)}), Ranges{});
        // ...once they reach it, the threshold follows them.
        QCOMPARE(split({sound(10, -61), sound(0.6, -10)}), (Ranges{{{9.85, 10.6}}}));
        // Digital silence says nothing about how loud the speech is: a word after a long run of
        // exact zeros is still speech.
        QCOMPARE(split({sound(12, -INFINITY), sound(0.3, -30), sound(1, -INFINITY)}),
                 (Ranges{{{11.85, 12.45}}}));
    }

    void thresholdFollowsNoiseFloorAndLoudness() {
        // F = -70, P = -45: the margin is 0.3 × 25 = 7.5 dB, so the threshold is -62.5 dB.
        QCOMPARE(split({sound(2, -70), sound(2, -45), sound(1, -70), sound(1, -62.4f),
                        sound(1, -70), sound(1, -62.6f), sound(1, -70)}),
                 (Ranges{{{1.85, 4.15}, {4.85, 6.15}}}));
        // F = -50, P = -40: 0.3 × 10 is less than the least margin of 6 dB; threshold -44 dB.
        QCOMPARE(split({sound(2, -50), sound(2, -40), sound(1, -50), sound(1, -43.9f),
                        sound(1, -50), sound(1, -44.1f), sound(1, -50)}),
                 (Ranges{{{1.85, 4.15}, {4.85, 6.15}}}));
    }

    void shortGapsJoinAndClicksDrop() {
        QCOMPARE(split({quiet(1), sound(1), quiet(0.3), sound(1), quiet(1)}),
                 (Ranges{{{0.85, 3.45}}}));
        QCOMPARE(split({quiet(1), sound(1), quiet(0.34), sound(1), quiet(1)}),
                 (Ranges{{{0.85, 3.49}}}));
        QCOMPARE(split({quiet(1), sound(1), quiet(0.35), sound(1), quiet(1)}),
                 (Ranges{{{0.85, 2.15}, {2.2, 3.5}}}));
        // With frame times free of rounding, a gap of exactly minPause separates.
        const auto eighths = [](std::vector<float> rms) { return EnergyProfile(0.125, rms); };
        SilenceSplitter splitter(0.375, 0.1, 12, 0, 0.12);
        QCOMPARE(splitter.split(eighths({0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0})),
                 (std::vector<TimeRange>{{0.25, 0.875}}));
        QCOMPARE(splitter.split(eighths({0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0})),
                 (std::vector<TimeRange>{{0.25, 0.5}, {0.875, 1.0}}));
        // A 0.05 s click is dropped rather than joined to the stretch before it.
        QCOMPARE(
            split({quiet(1), sound(1), quiet(0.5), sound(0.05), quiet(0.5), sound(1), quiet(1)}),
            (Ranges{{{0.85, 2.15}, {2.9, 4.2}}}));
        // Only voiced frames count as sound: two 0.05 s clicks 0.3 s apart are noise, two of
        // 0.07 s 0.2 s apart are not. (No joining here, to see the pieces themselves.)
        SilenceSplitter unjoined;
        unjoined.minSentence = 0.01;
        QCOMPARE(
            split({quiet(1), sound(1), quiet(1), sound(0.05), quiet(0.3), sound(0.05), quiet(1),
                   sound(0.07), quiet(0.2), sound(0.07), quiet(1), sound(1), quiet(1)},
                  unjoined),
            (Ranges{{{0.85, 2.15}, {4.25, 4.89}, {5.59, 6.89}}}));
    }

    void longRunsAreCutAtTheirLongestPause() {
        // 30 s of speech with 0.2 s pauses at 9 s and 20 s: cut at both, neighbours meet at the
        // middle of each pause.
        QCOMPARE(
            split({quiet(2), sound(9), quiet(0.2), sound(10.8), quiet(0.2), sound(9.8), quiet(2)}),
            (Ranges{{{1.85, 11.1}, {11.1, 22.1}, {22.1, 32.15}}}));

        // 20 s with a pause every second: 0.09 s after the first second, 0.25 s at 12.9 s, 0.1 s
        // elsewhere. The longest pause goes first wherever it lies; the 12.9 s head is then cut at
        // the earliest of its equally long pauses, not at the shorter one before them.
        std::vector<Stretch> stretches{quiet(2)};
        for (int k = 0; k < 19; ++k) {
            stretches.push_back(sound(k == 13 ? 0.75 : k == 1 ? 0.91 : 0.9));
            stretches.push_back(quiet(k == 12 ? 0.25 : k == 0 ? 0.09 : 0.1));
        }
        stretches.push_back(sound(1));
        stretches.push_back(quiet(2));
        QCOMPARE(split(stretches), (Ranges{{{1.85, 3.95}, {3.95, 15.025}, {15.025, 22.15}}}));
    }

    void cutsKeepTheLeastSentenceOnEachSide() {
        // The 0.25 s pause at 0.7 s reaches 0.15 s past the least 0.8 s; only that part counts,
        // and it is still longer than the 0.12 s pause at 7 s.
        QCOMPARE(split({quiet(2), sound(0.7), quiet(0.25), sound(6.05), quiet(0.12), sound(6.88),
                        quiet(2)}),
                 (Ranges{{{1.85, 2.875}, {2.875, 9.06}, {9.06, 16.15}}}));
        // Without any pause, the quietest frame of the middle third is the cut, again and again
        // until no piece is longer than 12 s; the quieter frame at 2 s lies outside that third.
        EnergyProfile steady = profileOf({quiet(5), sound(30), quiet(5)});
        setLevel(steady, 5 + 13, -30);
        setLevel(steady, 5 + 2, -35);
        QCOMPARE(Ranges{SilenceSplitter().split(steady)},
                 (Ranges{{{4.85, 9.33}, {9.33, 18.0}, {18.0, 23.66}, {23.66, 35.15}}}));
    }

    void shortPiecesJoinTheNearerNeighbour() {
        // Across the smaller gap; on equal gaps backwards.
        QCOMPARE(
            split({quiet(1), sound(2), quiet(0.5), sound(0.5), quiet(0.4), sound(2), quiet(1)}),
            (Ranges{{{0.85, 3.15}, {3.35, 6.55}}}));
        QCOMPARE(
            split({quiet(1), sound(2), quiet(0.5), sound(0.5), quiet(0.5), sound(2), quiet(1)}),
            (Ranges{{{0.85, 4.15}, {4.35, 6.65}}}));
        // The first piece joins forwards, and again while the joined piece is still short.
        QCOMPARE(split({quiet(1), sound(0.15), quiet(0.36), sound(0.15), quiet(0.5), sound(2),
                        quiet(1)}),
                 (Ranges{{{0.85, 4.31}}}));
        // The last piece joins backwards.
        QCOMPARE(split({quiet(1), sound(2), quiet(1), sound(0.5), quiet(1)}),
                 (Ranges{{{0.85, 4.65}}}));
        // A single short piece stays as it is, apart from its padding.
        QCOMPARE(split({quiet(1), sound(0.5), quiet(1)}), (Ranges{{{0.85, 1.65}}}));
    }

    void joiningNeverPassesTheLongestSentence() {
        // Backwards would make 12.4 s: forwards instead.
        QCOMPARE(
            split({quiet(1), sound(11.5), quiet(0.4), sound(0.5), quiet(0.5), sound(2), quiet(1)}),
            (Ranges{{{0.85, 12.65}, {12.75, 16.05}}}));
        // Forwards (the nearer) would make 12.4 s: the piece stays alone and is not tried
        // backwards, although that would fit.
        QCOMPARE(
            split({quiet(1), sound(2), quiet(0.5), sound(0.5), quiet(0.4), sound(11.5), quiet(1)}),
            (Ranges{{{0.85, 3.15}, {3.35, 4.15}, {4.25, 16.05}}}));
        // Neither way fits.
        QCOMPARE(split({quiet(1), sound(11.5), quiet(0.4), sound(0.5), quiet(0.5), sound(11.5),
                        quiet(1)}),
                 (Ranges{{{0.85, 12.65}, {12.75, 13.55}, {13.75, 25.55}}}));
    }

    void paddingStopsAtMidpointsAndEdges() {
        // Sound within 0.15 s of either end reaches the end.
        QCOMPARE(split({quiet(0.1), sound(2), quiet(1), sound(2), quiet(0.1)}),
                 (Ranges{{{0, 2.25}, {2.95, 5.2}}}));
        // Pieces 0.2 s apart meet in the middle of the gap instead of overlapping.
        SilenceSplitter splitter;
        splitter.minPause = 0.15;
        QCOMPARE(split({quiet(1), sound(1), quiet(0.2), sound(1), quiet(1)}, splitter),
                 (Ranges{{{0.85, 2.1}, {2.1, 3.35}}}));
    }

    // Below two frames, cutting by the middle third would make no progress; such a limit counts
    // as two frames.
    void tinyLongestSentenceStillEnds() {
        for (const double maxSentence : {0.005, 0.0, -1.0}) {
            SilenceSplitter splitter;
            splitter.maxSentence = maxSentence;
            splitter.pad = 0;
            const auto ranges = splitter.split(profileOf({quiet(1), sound(1), quiet(1)}));
            QVERIFY(ranges.size() >= 50);
            QCOMPARE(ranges.front().start, 1.0);
            QCOMPARE(ranges.back().end, 2.0);
            for (size_t k = 0; k < ranges.size(); ++k) {
                QVERIFY(ranges[k].duration() > 0 && ranges[k].duration() < 0.02 + 1e-9);
                if (k > 0)
                    QCOMPARE(ranges[k].start, ranges[k - 1].end);
            }
        }
    }

    void rangesAreOrderedAndBounded() {
        std::mt19937 random(7);
        std::uniform_real_distribution<float> noise(-75, -65);
        std::uniform_real_distribution<float> voice(-35, -10);
        std::uniform_int_distribution<int> length(1, 1500);
        for (const double minSentence : {0.8, 0.2}) {
            std::vector<float> rms;
            while (rms.size() < 60000) {
                const int frames = length(random);
                const bool speaking = length(random) % 3 != 0;
                for (int i = 0; i < frames; ++i)
                    rms.push_back(std::pow(
                        10.0f, (speaking && i % 37 != 0 ? voice(random) : noise(random)) / 20));
            }
            const EnergyProfile profile(kFrame, rms);
            SilenceSplitter splitter;
            splitter.minSentence = minSentence;
            const auto ranges = splitter.split(profile);
            QVERIFY(ranges.size() > 10);
            for (size_t k = 0; k < ranges.size(); ++k) {
                QVERIFY(ranges[k].start >= 0 && ranges[k].end <= profile.duration());
                QVERIFY(ranges[k].duration() > 0);
                QVERIFY(ranges[k].duration() <= splitter.maxSentence + 2 * splitter.pad + 1e-9);
                if (k > 0)
                    QVERIFY(ranges[k - 1].end <= ranges[k].start);
            }
        }
    }
};

QTEST_GUILESS_MAIN(SilenceSplitterTest)
#include "SilenceSplitterTest.moc"

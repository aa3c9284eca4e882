#include "split/SilenceSplitter.h"
#include "split/SpeechEdges.h"
#include "TimedLists.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr double kFrame = 0.01;

// The RMS whose level is exactly `decibels`, so that a stretch can lie on the threshold itself.
float rmsAt(float decibels) {
    float rms = std::pow(10.0f, decibels / 20);
    while (EnergyProfile::decibels(rms, -200) < decibels)
        rms = std::nextafter(rms, 1.0f);
    while (EnergyProfile::decibels(rms, -200) > decibels)
        rms = std::nextafter(rms, 0.0f);
    return rms;
}

// Frames of 0.01 s, one stretch after the other: "_2" is 2 s of quiet (-80 dB), "#1.5" 1.5 s of
// speech (-20 dB), "#1@-45" a second at -45 dB and "~3" 3 s of exact zeros.
EnergyProfile profileOf(const QString& stretches) {
    std::vector<float> rms;
    for (const QString& stretch : stretches.split(u' ')) {
        const QStringList parts = stretch.mid(1).split(u'@');
        const float level = parts.size() > 1 ? parts[1].toFloat() : stretch[0] == u'#' ? -20 : -80;
        rms.insert(rms.end(), size_t(std::lround(parts[0].toDouble() / kFrame)),
                   stretch[0] == u'~' ? 0.0f : rmsAt(level));
    }
    return EnergyProfile(kFrame, std::move(rms));
}

// "0.85-2.15 2.2-3.5"
Ranges rangesOf(const QString& text) {
    Ranges ranges;
    for (const QString& range : text.split(u' ', Qt::SkipEmptyParts))
        ranges.list.emplace_back(range.section(u'-', 0, 0).toDouble(),
                                 range.section(u'-', 1, 1).toDouble());
    return ranges;
}

} // namespace

Q_DECLARE_METATYPE(SilenceSplitter)

class SilenceSplitterTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splits_data() {
        QTest::addColumn<QString>("stretches");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<SilenceSplitter>("splitter");
        const auto row = [](const char* name, const QString& stretches, const QString& expected,
                            const SilenceSplitter& splitter = {}) {
            QTest::newRow(name) << stretches << expected << splitter;
        };
        // The threshold: loud frames below the 95th percentile do not make a silent recording
        // speak; once they reach it, it follows them. Digital silence does not count.
        row("below the loud percentile", "#10@-61 #0.4@-10", "");
        row("at the loud percentile", "#10@-61 #0.6@-10", "9.85-10.6");
        row("after exact zeros", "~12 #0.3@-30 ~1", "11.85-12.45");
        // F = -70, P = -45: the margin is 0.3 × 25 = 7.5 dB, the threshold -62.5 dB. F = -50,
        // P = -40: 0.3 × 10 is less than the least margin of 6 dB; threshold -44 dB. A frame on
        // the threshold is not voiced.
        row("margin from loudness", "#2@-70 #2@-45 #1@-70 #1@-62.4 #1@-70 #1@-62.5 #1@-70",
            "1.85-4.15 4.85-6.15");
        row("least margin", "#2@-50 #2@-40 #1@-50 #1@-43.9 #1@-50 #1@-44 #1@-50",
            "1.85-4.15 4.85-6.15");

        // Gaps shorter than minPause join; clicks are dropped rather than joined; only voiced
        // frames count as sound: two 0.05 s clicks 0.3 s apart are noise, two of 0.07 s are not.
        row("short gap joins", "_1 #1 _0.34 #1 _1", "0.85-3.49");
        row("long gap separates", "_1 #1 _0.35 #1 _1", "0.85-2.15 2.2-3.5");
        row("click dropped", "_1 #1 _0.5 #0.05 _0.5 #1 _1", "0.85-2.15 2.9-4.2");
        row("voiced frames count", "_1 #1 _1 #0.05 _0.3 #0.05 _1 #0.07 _0.2 #0.07 _1 #1 _1",
            "0.85-2.15 4.25-4.89 5.59-6.89", SilenceSplitter(0.35, 0.01, 12, 0.15, 0.12));

        // Long runs are cut at their longest pause; neighbours meet in its middle. With a pause
        // every second (0.09 s after the first, 0.25 s at 12.9 s, 0.1 s elsewhere) the longest
        // goes first, and the 12.9 s head is then cut at the earliest of its equal pauses.
        row("cut at pauses", "_2 #9 _0.2 #10.8 _0.2 #9.8 _2", "1.85-11.1 11.1-22.1 22.1-32.15");
        QString regular = "_2";
        for (int k = 0; k < 19; ++k) {
            const double sound = k == 13 ? 0.75 : k == 1 ? 0.91 : 0.9;
            const double pause = k == 12 ? 0.25 : k == 0 ? 0.09 : 0.1;
            regular += QString(" #%1 _%2").arg(sound).arg(pause);
        }
        row("longest pause first", regular + " #1 _2", "1.85-3.95 3.95-15.025 15.025-22.15");
        // The 0.25 s pause at 0.7 s reaches 0.15 s past the least 0.8 s; only that part counts,
        // and it is still longer than the 0.12 s pause at 7 s. Without pauses the quietest frame
        // of the middle third is the cut; the quieter one at 2 s lies outside it.
        row("least sentence each side", "_2 #0.7 _0.25 #6.05 _0.12 #6.88 _2",
            "1.85-2.875 2.875-9.06 9.06-16.15");
        row("quietest frame", "_5 #2 #0.01@-35 #10.99 #0.01@-30 #16.99 _5",
            "4.85-9.33 9.33-18 18-23.66 23.66-35.15");

        // Short pieces join across the smaller gap, on equal gaps backwards, never past
        // maxSentence (then they stay alone); the first joins forwards, the last backwards.
        row("nearer forwards", "_1 #2 _0.5 #0.5 _0.4 #2 _1", "0.85-3.15 3.35-6.55");
        row("tie backwards", "_1 #2 _0.5 #0.5 _0.5 #2 _1", "0.85-4.15 4.35-6.65");
        row("first forwards twice", "_1 #0.15 _0.36 #0.15 _0.5 #2 _1", "0.85-4.31");
        row("last backwards", "_1 #2 _1 #0.5 _1", "0.85-4.65");
        row("single short", "_1 #0.5 _1", "0.85-1.65");
        row("backwards too long", "_1 #11.5 _0.4 #0.5 _0.5 #2 _1", "0.85-12.65 12.75-16.05");
        row("nearer too long", "_1 #2 _0.5 #0.5 _0.4 #11.5 _1", "0.85-3.15 3.35-4.15 4.25-16.05");
        row("neither fits", "_1 #11.5 _0.4 #0.5 _0.5 #11.5 _1",
            "0.85-12.65 12.75-13.55 13.75-25.55");

        // Padding reaches the ends and stops where neighbours meet.
        row("pad to the ends", "_0.1 #2 _1 #2 _0.1", "0-2.25 2.95-5.2");
        row("pad to the middle", "_1 #1 _0.2 #1 _1", "0.85-2.1 2.1-3.35",
            SilenceSplitter(0.15, 0.8, 12, 0.15, 0.12));
    }

    void splits() {
        QFETCH(QString, stretches);
        QFETCH(QString, expected);
        QFETCH(SilenceSplitter, splitter);
        QCOMPARE(Ranges{splitter.split(profileOf(stretches))}, rangesOf(expected));
    }

    void edgeProfiles() {
        const SilenceSplitter splitter;
        QVERIFY(splitter.split(EnergyProfile()).empty());
        QVERIFY(splitter.split(EnergyProfile(kFrame, std::vector<float>(500, 0.0f))).empty());
        QVERIFY(splitter.split(EnergyProfile(0, std::vector<float>(500, 0.5f))).empty());
        // With frame times free of rounding, a gap of exactly minPause separates.
        const SilenceSplitter eighths(0.375, 0.1, 12, 0, 0.12);
        QCOMPARE(eighths.split(EnergyProfile(0.125, {0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0})),
                 (std::vector<TimeRange>{{0.25, 0.875}}));
        QCOMPARE(eighths.split(EnergyProfile(0.125, {0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0})),
                 (std::vector<TimeRange>{{0.25, 0.5}, {0.875, 1.0}}));
        // Below two frames, cutting by the middle third would make no progress; such a limit
        // counts as two frames.
        for (const double maxSentence : {0.005, 0.0, -1.0}) {
            const auto ranges =
                SilenceSplitter(0.35, 0.8, maxSentence, 0, 0.12).split(profileOf("_1 #1 _1"));
            QVERIFY(ranges.size() >= 50 && ranges.front().start == 1 && ranges.back().end == 2);
            for (size_t k = 0; k < ranges.size(); ++k)
                QVERIFY(ranges[k].duration() > 0 && ranges[k].duration() < 0.02 + 1e-9 &&
                        (k == 0 || ranges[k].start == ranges[k - 1].end));
        }
    }

    // Approximate times (subtitle cues, an aligned transcript) fitted to the speech they hold.
    void fitsApproximateEdgesToSpeech_data() {
        QTest::addColumn<QString>("stretches");
        QTest::addColumn<QString>("approximate");
        QTest::addColumn<QString>("expected");
        const QString twoSentences = u"_1 #1 _0.6 #1.4 _1"_s; // speech 1-2 and 2.6-4
        QTest::newRow("late") << twoSentences << u"1.3-2.3 2.9-4.3"_s << u"0.85-2.15 2.45-4.15"_s;
        QTest::newRow("early") << twoSentences << u"0.6-1.7 2.2-3.6"_s << u"0.85-2.15 2.45-4.15"_s;
        QTest::newRow("overlapping")
            << twoSentences << u"1-2.8 2.2-4"_s << u"0.85-2.15 2.45-4.15"_s;
        QTest::newRow("pause shorter than two pads")
            << u"_1 #1 _0.2 #1 _1"_s << u"1-2 2.2-3.2"_s << u"0.85-2.1 2.1-3.35"_s;
        QTest::newRow("no pause: cut at the quietest frame")
            << u"_1 #1.5 #0.01@-40 #1.5 _1"_s << u"1-2.4 2.6-4"_s << u"0.85-2.5 2.5-4.16"_s;
        QTest::newRow("a word past the cue's end is kept")
            << u"_1 #1 _0.1 #0.5 _2"_s << u"1-1.8"_s << u"0.85-2.75"_s;
        QTest::newRow("speech between far cues stays out")
            << u"_1 #1 _1 #1 _1 #1 _1"_s << u"1-2 5-6"_s << u"0.85-2.15 4.85-6.15"_s;
        QTest::newRow("no speech: approximate times stay") << u"_5"_s << u"1-2"_s << u"1-2"_s;
    }

    void fitsApproximateEdgesToSpeech() {
        QFETCH(QString, stretches);
        QFETCH(QString, approximate);
        QFETCH(QString, expected);
        std::vector<Sentence> cues;
        for (const TimeRange& range : rangesOf(approximate).list)
            cues.emplace_back(range.start, range.end, QString::number(cues.size()), true);
        const std::vector<Sentence> fitted = SpeechEdges().fit(cues, profileOf(stretches));
        Ranges ranges;
        for (size_t k = 0; k < fitted.size(); ++k) {
            QVERIFY(fitted[k].text == cues[k].text && fitted[k].hard);
            ranges.list.emplace_back(fitted[k].start, fitted[k].end);
        }
        QCOMPARE(ranges, rangesOf(expected));
    }
};

QTEST_GUILESS_MAIN(SilenceSplitterTest)
#include "SilenceSplitterTest.moc"

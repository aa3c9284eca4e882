#include "feedback/MonoClip.h"
#include "feedback/PitchContour.h"

#include "TestMedia.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int rate = 16000;

std::vector<float> clip(const QString& path) {
    return readMonoClip(path, rate);
}

} // namespace

class AttemptAnalysisTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Tones and an exponential glide: every voiced frame within 1 % of the true frequency, and
    // nearly all of the sound voiced.
    void pitchFollowsTonesAndGlides_data() {
        QTest::addColumn<QString>("synth");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::newRow("low voice") << u"85"_s << 85.0 << 85.0;
        QTest::newRow("middle") << u"220"_s << 220.0 << 220.0;
        QTest::newRow("high voice") << u"440"_s << 440.0 << 440.0;
        QTest::newRow("rising glide") << u"100/400"_s << 100.0 << 400.0;
        QTest::newRow("falling glide") << u"300/120"_s << 300.0 << 120.0;
    }
    void pitchFollowsTonesAndGlides() {
        QFETCH(QString, synth);
        QFETCH(double, from);
        QFETCH(double, to);
        const QString path = m_folder.filePath(u"tone.wav"_s);
        const double seconds = 2;
        TestMedia::run(u"sox"_s, {u"-n"_s, u"-r"_s, QString::number(rate), path, u"synth"_s,
                                  QString::number(seconds), u"sine"_s, synth, u"vol"_s, u"0.5"_s});
        const PitchContour contour = pitchContour(clip(path), rate);
        QCOMPARE(contour.hertz.size(), size_t(seconds / contour.hop));
        QVERIFY(contour.voicedCount() > contour.hertz.size() * 9 / 10);
        for (size_t i = 0; i < contour.hertz.size(); ++i) {
            const double t = (double(i) + 0.5) * contour.hop / seconds;
            const double truth = from * std::pow(to / from, t);
            if (contour.hertz[i] > 0)
                QVERIFY2(
                    std::abs(contour.hertz[i] / truth - 1) < 0.01,
                    qPrintable(
                        u"%1 Hz at frame %2, not %3"_s.arg(contour.hertz[i]).arg(i).arg(truth)));
        }
    }

    // Speech in a low and a high voice: a frame an octave away from its neighbours is an
    // octave error; fewer than 2 % of the voiced frames.
    void pitchOfSpeechHasFewOctaveErrors_data() {
        QTest::addColumn<QString>("voice");
        QTest::newRow("low") << u"en-us+m3"_s;
        QTest::newRow("high") << u"en-us+f4"_s;
    }
    void pitchOfSpeechHasFewOctaveErrors() {
        QFETCH(QString, voice);
        const TestMedia::Speech speech =
            TestMedia::speech(m_folder.path(), u"speech.wav"_s,
                              {u"The quick brown fox jumps over the lazy dog."_s,
                               u"Would you like another cup of tea before we leave?"_s},
                              0.4, voice);
        const PitchContour contour = pitchContour(clip(speech.path), rate);
        QVERIFY(contour.voicedCount() > 100);
        size_t errors = 0;
        const auto n = qsizetype(contour.hertz.size());
        for (qsizetype i = 0; i < n; ++i) {
            if (contour.hertz[size_t(i)] <= 0)
                continue;
            std::vector<float> around;
            for (qsizetype j = std::max<qsizetype>(0, i - 10); j < std::min(n, i + 11); ++j)
                if (contour.hertz[size_t(j)] > 0)
                    around.push_back(contour.hertz[size_t(j)]);
            std::nth_element(around.begin(), around.begin() + qsizetype(around.size() / 2),
                             around.end());
            const float ratio = contour.hertz[size_t(i)] / around[around.size() / 2];
            errors += ratio > 1.6f || ratio < 0.625f;
        }
        QVERIFY2(errors * 50 < contour.voicedCount(),
                 qPrintable(u"%1 of %2"_s.arg(errors).arg(contour.voicedCount())));
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(AttemptAnalysisTest)
#include "AttemptAnalysisTest.moc"

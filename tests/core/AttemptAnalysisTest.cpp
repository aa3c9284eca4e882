#include "feedback/AttemptFeedback.h"
#include "feedback/PitchContour.h"
#include "media/Loudness.h"
#include "media/MonoClip.h"

#include "TestMedia.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int rate = 16000;

std::vector<float> louder(std::vector<float> samples, double decibels) {
    for (float& s : samples)
        s *= float(std::pow(10.0, decibels / 20));
    return samples;
}

// Speech from espeak-ng's library at 16 kHz, with where each word starts (its synthesis events).
struct Spoken {
    std::vector<float> samples;
    std::vector<double> wordStarts; // seconds
};

Spoken speak(const QString& text, int wordsPerMinute, int pitch) {
    static const int espeakRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
    espeak_SetSynthCallback([](short* wav, int count, espeak_EVENT* events) {
        auto* spoken = static_cast<Spoken*>(events->user_data);
        for (int i = 0; wav && i < count; ++i)
            spoken->samples.push_back(float(wav[i]) / 32768.0f);
        for (; events->type != espeakEVENT_LIST_TERMINATED; ++events)
            if (events->type == espeakEVENT_WORD && events->length > 0) // 0: a clause boundary
                spoken->wordStarts.push_back(events->audio_position / 1000.0);
        return 0;
    });
    espeak_SetVoiceByName("en-us");
    espeak_SetParameter(espeakRATE, wordsPerMinute, 0);
    espeak_SetParameter(espeakPITCH, pitch, 0);
    Spoken spoken;
    const QByteArray utf8 = text.toUtf8();
    espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                 nullptr, &spoken);
    // To the analysis rate through a file, as a take would come.
    static int made = 0;
    const QString path = QDir::temp().filePath(
        u"quellin-spoken-%1-%2.wav"_s.arg(qApp->applicationPid()).arg(++made));
    TestMedia::floatWav(path, espeakRate, 1, spoken.samples);
    spoken.samples = readMonoClip(path, rate);
    QFile::remove(path);
    return spoken;
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[size_t(fraction * double(values.size() - 1))];
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
        const PitchContour contour = pitchContour(readMonoClip(path, rate), rate);
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
        const PitchContour contour = pitchContour(readMonoClip(speech.path, rate), rate);
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

    // The take's gain brings it to the original's loudness, within ±12 dB and below clipping.
    void takePlaysAsLoudAsTheOriginal_data() {
        QTest::addColumn<double>("originalDecibels");
        QTest::addColumn<double>("takeDecibels");
        QTest::addColumn<double>("difference"); // LU, take after gain − original
        QTest::newRow("10 dB quieter") << 0.0 << -10.0 << 0.0;
        QTest::newRow("6 dB louder") << 0.0 << 6.0 << 0.0;
        QTest::newRow("20 dB quieter: 12 dB raised") << 0.0 << -20.0 << -8.0;
        // The take peaks at 0.9 of full scale: raised by 20·log10(1/0.9) dB only.
        QTest::newRow("raising would clip") << 12.0 << 0.0 << -12.0 + 0.915;
    }
    void takePlaysAsLoudAsTheOriginal() {
        QFETCH(double, originalDecibels);
        QFETCH(double, takeDecibels);
        QFETCH(double, difference);
        const TestMedia::Speech speech = TestMedia::speech(
            m_folder.path(), u"loud.wav"_s, {u"Every sentence counts when you practise."_s}, 0.2);
        std::vector<float> voice = readMonoClip(speech.path, rate);
        const float loudest = Loudness::peak(voice);
        voice = louder(std::move(voice), 20 * std::log10(0.9 / loudest));
        const std::vector<float> original = louder(voice, originalDecibels);
        const std::vector<float> take = louder(voice, takeDecibels);
        const double gain =
            Loudness::matchingGain(Loudness::integrated(original, 1, rate),
                                   Loudness::integrated(take, 1, rate), Loudness::peak(take));
        const std::vector<float> played = louder(take, 20 * std::log10(gain));
        QVERIFY(Loudness::peak(played) <= 1.0001f);
        const double heard =
            *Loudness::integrated(played, 1, rate) - *Loudness::integrated(original, 1, rate);
        QVERIFY2(std::abs(heard - difference) < 0.5, qPrintable(QString::number(heard)));
    }

    // The same sentence slower and higher: its words paired with the original's, its pace
    // measured; its melody closer to the original's than another sentence's.
    void takeIsAlignedAndCompared() {
        const QStringList sentences = {u"The weather was much warmer than we expected."_s,
                                       u"Could you tell me where the station is?"_s,
                                       u"She bought three apples and a loaf of bread."_s,
                                       u"We should leave early, before the traffic starts."_s,
                                       u"My brother lives in a small town by the sea."_s,
                                       u"Is this the right way to the museum?"_s,
                                       u"They have never seen such a beautiful garden."_s,
                                       u"Please close the window when you go out."_s,
                                       u"I forgot my umbrella at the office yesterday."_s,
                                       u"How long does it take to learn a language?"_s,
                                       u"The children played football until it got dark."_s,
                                       u"Why did nobody answer the telephone this morning?"_s,
                                       u"Our train leaves at half past seven."_s,
                                       u"He reads the newspaper every day after lunch."_s,
                                       u"Would you like some more coffee, or a cup of tea?"_s,
                                       u"The old bridge was closed for repairs last winter."_s,
                                       u"Remember to water the plants while I am away."_s,
                                       u"What time does the shop open on Sundays?"_s,
                                       u"A strong wind blew the leaves across the yard."_s,
                                       u"We are going to visit our grandparents next week."_s};
        std::vector<double> wordErrors;
        for (qsizetype k = 0; k < sentences.size(); ++k) {
            const Spoken original = speak(sentences[k], 175, 40);
            const Spoken take = speak(sentences[k], 130, 75);
            const Spoken other = speak(sentences[(k + 1) % sentences.size()], 130, 75);
            const AttemptFeedback same = AttemptFeedback::of(original.samples, take.samples, rate);
            const AttemptFeedback different =
                AttemptFeedback::of(original.samples, other.samples, rate);
            QCOMPARE(take.wordStarts.size(), original.wordStarts.size());
            for (size_t w = 0; w < take.wordStarts.size(); ++w) {
                const auto frame = size_t(take.wordStarts[w] / same.hop);
                wordErrors.push_back(
                    std::abs(same.takeToOriginal.at(frame) - original.wordStarts[w]));
            }
            const double truePace = (take.wordStarts.back() - take.wordStarts.front()) /
                                    (original.wordStarts.back() - original.wordStarts.front());
            QVERIFY2(std::abs(*same.pace / truePace - 1) < 0.05,
                     qPrintable(u"%1: pace %2, not %3"_s.arg(k).arg(*same.pace).arg(truePace)));
            QVERIFY2(same.intonationMatch > different.intonationMatch,
                     qPrintable(u"%1: %2 ≤ %3"_s.arg(k)
                                    .arg(*same.intonationMatch)
                                    .arg(different.intonationMatch.value_or(-1))));
        }
        QVERIFY2(percentile(wordErrors, 0.5) <= 0.05,
                 qPrintable(QString::number(percentile(wordErrors, 0.5))));
        QVERIFY2(percentile(wordErrors, 0.9) <= 0.1,
                 qPrintable(QString::number(percentile(wordErrors, 0.9))));
    }

    // A pause only one of the two makes is found where it lies on the sentence's axis.
    void pausesOnlyOneMakes_data() {
        QTest::addColumn<bool>("takePauses");
        QTest::newRow("take pauses") << true;
        QTest::newRow("original pauses") << false;
    }
    void pausesOnlyOneMakes() {
        QFETCH(bool, takePauses);
        const Spoken whole = speak(u"I would like a cup of tea and a slice of cake."_s, 160, 50);
        Spoken paused = speak(u"I would like a cup of tea"_s, 160, 50);
        const double breakAt = double(paused.samples.size()) / rate;
        paused.samples.resize(paused.samples.size() + size_t(0.6 * rate), 0.0f);
        const Spoken rest = speak(u"and a slice of cake."_s, 160, 50);
        paused.samples.insert(paused.samples.end(), rest.samples.begin(), rest.samples.end());
        const AttemptFeedback feedback =
            takePauses ? AttemptFeedback::of(whole.samples, paused.samples, rate)
                       : AttemptFeedback::of(paused.samples, whole.samples, rate);
        QCOMPARE(feedback.pauses.size(), size_t(1));
        const AttemptFeedback::PauseDifference pause = feedback.pauses.front();
        using Who = AttemptFeedback::PauseDifference::Who;
        QCOMPARE(pause.who, takePauses ? Who::take : Who::original);
        // On the sentence's axis: before "and" in the whole sentence, or the silence itself.
        const double expected = takePauses ? whole.wordStarts.at(7) : breakAt;
        QVERIFY2(std::abs(pause.at.start - expected) < 0.2,
                 qPrintable(QString::number(pause.at.start)));
    }

    // Silence, or a sound too short to hold speech, gives no figures and no take melody.
    void silenceGivesNoFigures() {
        const Spoken sentence = speak(u"Good evening."_s, 160, 50);
        for (const std::vector<float>& take :
             {std::vector<float>(rate, 0.0f), std::vector<float>(100, 0.1f)}) {
            const AttemptFeedback feedback = AttemptFeedback::of(sentence.samples, take, rate);
            QVERIFY(!feedback.pace && !feedback.intonationMatch && feedback.pauses.empty());
            QVERIFY(std::all_of(feedback.takePitch.begin(), feedback.takePitch.end(),
                                [](float s) { return std::isnan(s); }));
            QCOMPARE(feedback.takeGain, 1.0);
        }
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(AttemptAnalysisTest)
#include "AttemptAnalysisTest.moc"

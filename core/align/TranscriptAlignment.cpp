#include "align/TranscriptAlignment.h"

#include "align/SpeechSynthesis.h"
#include "align/TranscriptText.h"
#include "base/TextDecoding.h"
#include "media/AudioDecoder.h"
#include "split/SilenceSplitter.h"
#include "split/SpeechEdges.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Shares of the progress: synthesis, reading the recording, warping.
constexpr double synthesisShare = 0.35, readingShare = 0.25;

FeatureFrames recordingFeatures(const QString& path, int sampleRate, std::stop_token stop,
                                const std::function<void(double)>& progress) {
    AudioDecoder decoder(path, AudioFormat{sampleRate, 1}, stop);
    FeatureAnalyser analyser(sampleRate);
    const double length = double(decoder.lengthFrames().value_or(0));
    std::vector<float> block(8192);
    while (const qint64 read = decoder.read(block.data(), qint64(block.size()))) {
        analyser.add(std::span(block).first(size_t(read)));
        if (stop.stop_requested())
            throw OperationCancelled();
        if (progress && length > 0)
            progress(std::min(double(decoder.position()) / length, 1.0));
    }
    FeatureFrames frames = analyser.take();
    normaliseFeatures(frames);
    return frames;
}

QString languageName(const QString& language) {
    const QLocale locale(language);
    return locale.language() == QLocale::C ? language
                                           : QLocale::languageToString(locale.language());
}

} // namespace

TranscriptAligner::Placement
TranscriptAligner::place(const QStringList& texts, const QString& language,
                         const QString& playableAudio, const EnergyProfile& profile,
                         std::stop_token stop, const std::function<void(double)>& progress) const {
    const auto stage = [&progress](double from, double share) {
        return [&progress, from, share](double fraction) {
            if (progress)
                progress(from + share * fraction);
        };
    };
    if (!hasSynthesisVoice(language))
        throw TranscriptError(
            QCoreApplication::translate("TranscriptAlignment",
                                        "There is no voice for %1 to compare the transcript with.")
                .arg(languageName(language)));
    const int rate = synthesisRate();
    if (rate == 0)
        throw TranscriptError(QCoreApplication::translate(
            "TranscriptAlignment", "The speech synthesiser espeak-ng could not start."));

    FeatureAnalyser analyser(rate);
    const SynthesisResult synthesis = synthesise(
        texts, language, pause, [&](std::span<const float> samples) { analyser.add(samples); },
        stop, stage(0, synthesisShare));
    FeatureFrames synthetic = analyser.take();
    normaliseFeatures(synthetic);
    const FeatureFrames recording =
        recordingFeatures(playableAudio, rate, stop, stage(synthesisShare, readingShare));
    const WarpPath path =
        warp.warp(synthetic, recording, stop,
                  stage(synthesisShare + readingShare, 1 - synthesisShare - readingShare));

    // Per synthetic frame: the first and last recording frame paired with it, and the cost of
    // the steps that pair it.
    std::vector<qint32> first(synthetic.count(), -1), last(synthetic.count(), -1);
    std::vector<float> costs(synthetic.count(), 0);
    const std::vector<float> stepCosts = warp.stepCosts(path, synthetic, recording);
    for (size_t k = 0; k < path.steps.size(); ++k) {
        const auto [i, j] = path.steps[k];
        if (first[size_t(i)] < 0)
            first[size_t(i)] = qint32(j);
        last[size_t(i)] = qint32(j);
        costs[size_t(i)] += stepCosts[k];
    }
    const std::vector<uint8_t> voiced = SilenceSplitter::voicedFrames(profile);
    const auto voicedIn = [&](double from, double to) -> qsizetype {
        if (voiced.empty())
            return 0;
        return std::count(voiced.begin() + profile.frame(from),
                          voiced.begin() + profile.frame(to) + 1, 1);
    };
    const double hopSamples = synthetic.hop * rate;
    const auto frameOf = [&](qint64 sample) {
        return std::clamp<qsizetype>(qsizetype(double(sample) / hopSamples), 0,
                                     qsizetype(synthetic.count()) - 1);
    };

    Placement placement;
    // What pairing a frame by chance costs: its mean distance to recording frames 0.5 s and 1 s
    // before and after the one the warp chose. It scales the cost to the two voices' difference.
    const auto halfSecond = qsizetype(std::lround(0.5 / recording.hop));
    const auto chanceDistance = [&](qsizetype i, qsizetype j) {
        const auto last = qsizetype(recording.count()) - 1;
        double sum = 0;
        for (const qsizetype shift : {-2 * halfSecond, -halfSecond, halfSecond, 2 * halfSecond})
            sum += frameDistance(synthetic.frame(size_t(i)),
                                 recording.frame(size_t(std::clamp<qsizetype>(j + shift, 0, last))),
                                 synthetic.dimensions);
        return sum / 4;
    };
    double placedCost = 0, chance = 0;
    qsizetype placedVoiced = 0;
    for (qsizetype k = 0; k < texts.size(); ++k) {
        const auto [from, to] = synthesis.ranges[size_t(k)];
        const qsizetype begin = frameOf(from), end = frameOf(to - 1) + 1;
        if (end <= begin)
            continue; // nothing to say ("—")
        const double startTime = first[size_t(begin)] * recording.hop;
        const double endTime = (last[size_t(end - 1)] + 1) * recording.hop;
        const qsizetype voicedFrames = voicedIn(startTime, endTime);
        if (double(voicedFrames) < leastVoiced * (endTime - startTime) / profile.frameDuration ||
            endTime - startTime < leastShare * double(end - begin) * synthetic.hop) {
            ++placement.absent;
            continue;
        }
        placedCost += std::accumulate(costs.begin() + begin, costs.begin() + end, 0.0);
        for (qsizetype i = begin; i < end; ++i)
            chance += chanceDistance(i, first[size_t(i)]);
        placedVoiced += voicedFrames;
        placement.sentences.emplace_back(startTime, endTime, texts[k]);
    }
    const auto allVoiced = qsizetype(std::count(voiced.begin(), voiced.end(), 1));
    placement.cost = chance > 0 ? placedCost / chance : 0;
    placement.coverage = allVoiced > 0 ? double(placedVoiced) / double(allVoiced) : 0;
    if (progress)
        progress(1.0);
    return placement;
}

// The thresholds, measured. The cost of the text that was read: 0.30–0.63 for espeak-ng readings in
// English, German, Spanish and Russian by other voices, speeds (140–210 words a minute) and
// pitches than the synthesis, each with a sentence left out; 0.90 for a human reading (LibriVox,
// English). Another text: 1.8–2.0 against the human reading, 1.65–2.4 against an espeak-ng reading
// in another voice; espeak-ng's voices resemble each other, so another text in the reading's own
// voice costs only 0.78–0.87 there, and is told apart by the sentences it leaves absent when at
// all. A text of one sentence out of four covers 0.26–0.41 of the voiced recording. Hence a cost
// of at most 1.3 (room above the human reading), a coverage of at least 0.5 and at most a third of
// the sentences absent.
bool TranscriptAligner::fits(const Placement& placement) const {
    const auto total = qsizetype(placement.sentences.size()) + placement.absent;
    return !placement.sentences.empty() && placement.cost <= misfitCost &&
           placement.coverage >= leastCoverage && placement.absent * 3 <= total;
}

std::vector<Sentence> transcriptSentences(const QString& text, const QString& language,
                                          const QString& playableAudio,
                                          const EnergyProfile& profile, std::stop_token stop,
                                          const std::function<void(double)>& progress) {
    const QStringList texts = transcriptSentenceTexts(text);
    if (texts.isEmpty())
        throw TranscriptError(
            QCoreApplication::translate("TranscriptAlignment", "The transcript holds no text."));
    const TranscriptAligner aligner;
    const TranscriptAligner::Placement placement =
        aligner.place(texts, language, playableAudio, profile, stop, progress);
    if (!aligner.fits(placement))
        throw TranscriptError(
            QCoreApplication::translate(
                "TranscriptAlignment",
                "The transcript does not fit this recording: its words could not be "
                "found in the sound. Check that it is the text of this recording "
                "and that its language is %1.")
                .arg(languageName(language)));
    return SpeechEdges().fit(placement.sentences, profile);
}

QString readTranscriptFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TranscriptError(
            QCoreApplication::translate("TranscriptAlignment",
                                        "The transcript file could not be read: %1.")
                .arg(file.errorString()));
    const std::optional<QString> text = decodedText(file.readAll());
    if (!text)
        throw TranscriptError(QCoreApplication::translate(
            "TranscriptAlignment", "The transcript file does not hold plain text."));
    return *text;
}

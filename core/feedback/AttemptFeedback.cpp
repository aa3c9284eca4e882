#include "feedback/AttemptFeedback.h"

#include "analysis/TimeWarp.h"
#include "analysis/VoiceFeatures.h"
#include "feedback/PitchContour.h"
#include "media/Loudness.h"
#include "media/MonoClip.h"
#include "split/SilenceSplitter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QCoreApplication>

namespace {

// A silence inside speech this long is a pause; stop consonants are shorter.
constexpr double minPause = 0.2;
// How far apart (seconds) a pause in one recording may be from one in the other and still count
// as the same pause.
constexpr double pauseSlack = 0.1;
// Fewer frames voiced in both than this give no melody to compare.
constexpr size_t minSharedVoiced = 20;
// Warps larger than this many cells search a band around the straight line only.
constexpr double fullWarpCells = 2e6;
constexpr qsizetype warpBand = 100;

constexpr float unvoiced = std::numeric_limits<float>::quiet_NaN();

struct Span {
    qsizetype first = 0, last = -1; // frames, inclusive
    qsizetype length() const { return last - first + 1; }
};

// Which frames (hop samples each) are speech, by the pause split's own measure.
std::vector<bool> speechFrames(std::span<const float> mono, qsizetype hopSamples, double hop) {
    const auto frames = qsizetype(mono.size()) / hopSamples;
    std::vector<float> rms(static_cast<size_t>(frames));
    for (qsizetype i = 0; i < frames; ++i) {
        double sum = 0;
        for (const float s : mono.subspan(size_t(i * hopSamples), size_t(hopSamples)))
            sum += double(s) * s;
        rms[size_t(i)] = float(std::sqrt(sum / double(hopSamples)));
    }
    const std::vector<uint8_t> voiced =
        SilenceSplitter::voicedFrames(EnergyProfile(hop, std::move(rms)));
    return {voiced.begin(), voiced.end()};
}

Span speechSpan(const std::vector<bool>& speech) {
    const auto first = std::find(speech.begin(), speech.end(), true);
    if (first == speech.end())
        return {};
    const auto last = std::find(speech.rbegin(), speech.rend(), true);
    return {first - speech.begin(), qsizetype(speech.rend() - last) - 1};
}

// Silences of at least `minPause` within the span, in frames relative to its start.
std::vector<Span> pausesIn(const std::vector<bool>& speech, Span span, double hop) {
    std::vector<Span> pauses;
    const auto shortest = qsizetype(std::lround(minPause / hop));
    qsizetype start = -1;
    for (qsizetype i = span.first; i <= span.last; ++i) {
        if (!speech[size_t(i)] && start < 0)
            start = i;
        if (speech[size_t(i)] && start >= 0) {
            if (i - start >= shortest)
                pauses.push_back({start - span.first, i - 1 - span.first});
            start = -1;
        }
    }
    return pauses;
}

FeatureFrames featuresOf(std::span<const float> mono, int sampleRate, double hop) {
    FeatureFrames frames = voiceFeatures(mono, sampleRate, hop);
    normaliseFeatures(frames);
    return frames;
}

// The frames of the other sequence paired with frames [from, to] of one, as a span.
template <typename Pick, typename Other>
Span pairedSpan(const WarpPath& path, Span span, Pick pick, Other other) {
    Span paired{std::numeric_limits<qsizetype>::max(), -1};
    for (const auto& step : path.steps) {
        const qsizetype at = pick(step);
        if (at >= span.first && at <= span.last) {
            paired.first = std::min(paired.first, other(step));
            paired.last = std::max(paired.last, other(step));
        }
    }
    return paired;
}

bool overlapsAny(const std::vector<Span>& pauses, Span span, qsizetype slack) {
    return std::any_of(pauses.begin(), pauses.end(), [&](const Span& p) {
        return p.first <= span.last + slack && span.first <= p.last + slack;
    });
}

std::optional<int> correlation(const std::vector<float>& a, const std::vector<float>& b) {
    double n = 0, sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (std::isnan(a[i]) || std::isnan(b[i]))
            continue;
        n += 1;
        sa += a[i];
        sb += b[i];
        saa += double(a[i]) * a[i];
        sbb += double(b[i]) * b[i];
        sab += double(a[i]) * b[i];
    }
    if (n < double(minSharedVoiced))
        return std::nullopt;
    const double va = saa - sa * sa / n;
    const double vb = sbb - sb * sb / n;
    if (va <= 0 || vb <= 0)
        return std::nullopt;
    const double r = (sab - sa * sb / n) / std::sqrt(va * vb);
    return int(std::lround(100 * std::clamp(r, 0.0, 1.0)));
}

} // namespace

AttemptFeedback AttemptFeedback::of(std::span<const float> original, std::span<const float> take,
                                    int sampleRate) {
    AttemptFeedback feedback;
    const PitchContour originalContour = pitchContour(original, sampleRate, feedback.hop);
    const PitchContour takeContour = pitchContour(take, sampleRate, feedback.hop);
    feedback.hop = originalContour.hop;
    const auto hopSamples = qsizetype(std::lround(feedback.hop * sampleRate));
    feedback.originalPitch = originalContour.semitones();
    feedback.originalMedianHertz = originalContour.medianHertz();
    feedback.takeMedianHertz = takeContour.medianHertz();
    feedback.takePitch.assign(feedback.originalPitch.size(), unvoiced);
    feedback.takeGain =
        Loudness::matchingGain(Loudness::integrated(original, 1, sampleRate),
                               Loudness::integrated(take, 1, sampleRate), Loudness::peak(take));

    // Only the speech is warped: silence before and after says nothing about the pace.
    const std::vector<bool> originalSpeech = speechFrames(original, hopSamples, feedback.hop);
    const std::vector<bool> takeSpeech = speechFrames(take, hopSamples, feedback.hop);
    const Span os = speechSpan(originalSpeech);
    const Span ts = speechSpan(takeSpeech);
    if (os.length() < 2 || ts.length() < 2)
        return feedback;
    const auto part = [hopSamples](std::span<const float> mono, Span span) {
        return mono.subspan(size_t(span.first * hopSamples), size_t(span.length() * hopSamples));
    };
    const FeatureFrames a = featuresOf(part(original, os), sampleRate, feedback.hop);
    const FeatureFrames b = featuresOf(part(take, ts), sampleRate, feedback.hop);
    const double cells = double(a.count()) * double(b.count());
    const WarpPath path = timeWarp(a, b, cells > fullWarpCells ? warpBand : 0);
    if (path.steps.empty())
        return feedback;
    feedback.pace = double(b.count()) / double(a.count());

    // The take's melody on the sentence's frames: the mean of the take frames paired with each.
    const std::vector<float> takeSemitones = takeContour.semitones();
    std::vector<double> sum(feedback.takePitch.size(), 0);
    std::vector<int> count(feedback.takePitch.size(), 0);
    feedback.takeToOriginal.assign(takeSemitones.size(), -1);
    for (const auto& [i, j] : path.steps) {
        const auto o = size_t(i + os.first);
        const auto t = size_t(j + ts.first);
        if (t < feedback.takeToOriginal.size() && feedback.takeToOriginal[t] < 0)
            feedback.takeToOriginal[t] = double(o) * feedback.hop;
        if (o < sum.size() && t < takeSemitones.size() && !std::isnan(takeSemitones[t])) {
            sum[o] += takeSemitones[t];
            ++count[o];
        }
    }
    // Take frames before or after its speech keep their distance from the speech's ends.
    for (size_t t = 0; t < feedback.takeToOriginal.size(); ++t) {
        if (feedback.takeToOriginal[t] >= 0)
            continue;
        const qsizetype beyond = qsizetype(t) < ts.first ? qsizetype(t) - ts.first
                                                         : qsizetype(t) - ts.last + os.length() - 1;
        feedback.takeToOriginal[t] = double(os.first + beyond) * feedback.hop;
    }
    for (size_t o = 0; o < sum.size(); ++o)
        if (count[o] > 0)
            feedback.takePitch[o] = float(sum[o] / count[o]);
    feedback.intonationMatch = correlation(feedback.originalPitch, feedback.takePitch);

    // Pauses that only one of the two makes.
    const std::vector<Span> originalPauses = pausesIn(originalSpeech, os, feedback.hop);
    const std::vector<Span> takePauses = pausesIn(takeSpeech, ts, feedback.hop);
    const auto slack = qsizetype(std::lround(pauseSlack / feedback.hop));
    const auto seconds = [&](Span span) {
        return TimeRange(double(span.first + os.first) * feedback.hop,
                         double(span.last + os.first + 1) * feedback.hop);
    };
    const auto ofA = [](const auto& step) { return step.first; };
    const auto ofB = [](const auto& step) { return step.second; };
    for (const Span& pause : takePauses) {
        const Span there = pairedSpan(path, pause, ofB, ofA);
        if (there.last >= 0 && !overlapsAny(originalPauses, there, slack))
            feedback.pauses.push_back({PauseDifference::Who::take, seconds(there)});
    }
    for (const Span& pause : originalPauses) {
        const Span there = pairedSpan(path, pause, ofA, ofB);
        if (there.last >= 0 && !overlapsAny(takePauses, there, slack))
            feedback.pauses.push_back({PauseDifference::Who::original, seconds(pause)});
    }
    std::sort(feedback.pauses.begin(), feedback.pauses.end(),
              [](const auto& x, const auto& y) { return x.at.start < y.at.start; });
    return feedback;
}

AttemptFeedback AttemptFeedback::read(const QString& mediaPath, TimeRange sentence,
                                      const QString& takePath, TimeRange take,
                                      std::stop_token stop) {
    const std::vector<float> original =
        readMonoClip(mediaPath, sampleRate, sentence.start, sentence.end, stop);
    const std::vector<float> attempt =
        readMonoClip(takePath, sampleRate, take.start, take.end, stop);
    return of(original, attempt, sampleRate);
}

bool AttemptFeedback::operator==(const AttemptFeedback& other) const {
    const auto same = [](const std::vector<float>& x, const std::vector<float>& y) {
        return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](float a, float b) {
            return a == b || (std::isnan(a) && std::isnan(b));
        });
    };
    return hop == other.hop && same(originalPitch, other.originalPitch) &&
           same(takePitch, other.takePitch) && originalMedianHertz == other.originalMedianHertz &&
           takeMedianHertz == other.takeMedianHertz && pace == other.pace &&
           intonationMatch == other.intonationMatch && pauses == other.pauses &&
           takeGain == other.takeGain && takeToOriginal == other.takeToOriginal &&
           heard == other.heard;
}

QString AttemptFeedback::paceWords(double pace) {
    const auto percent = int(std::lround(std::abs(pace - 1) * 100));
    if (percent < 5)
        return QCoreApplication::translate("AttemptFeedback", "You spoke at the original’s pace.");
    return pace > 1 ? QCoreApplication::translate("AttemptFeedback",
                                                  "You were %1 % slower than the original.")
                          .arg(percent)
                    : QCoreApplication::translate("AttemptFeedback",
                                                  "You were %1 % faster than the original.")
                          .arg(percent);
}

QString AttemptFeedback::matchWords(int intonationMatch) {
    if (intonationMatch >= close)
        return QCoreApplication::translate("AttemptFeedback", "close");
    if (intonationMatch >= someDifferences)
        return QCoreApplication::translate("AttemptFeedback", "some differences");
    return QCoreApplication::translate("AttemptFeedback", "different melody");
}

QString AttemptFeedback::pauseWords(const PauseDifference& pause) {
    const QString at = QString::number(pause.at.start, 'f', 1);
    return pause.who == PauseDifference::Who::take
               ? QCoreApplication::translate("AttemptFeedback",
                                             "You paused at %1 s where the original goes on.")
                     .arg(at)
               : QCoreApplication::translate("AttemptFeedback",
                                             "The original pauses at %1 s; you went on.")
                     .arg(at);
}

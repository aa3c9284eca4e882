#include "split/SpeechEdges.h"

#include "split/SilenceSplitter.h"

#include <algorithm>
#include <cmath>

namespace {

class Fitting {
public:
    Fitting(const SpeechEdges& parameters, const EnergyProfile& profile)
        : m_params(parameters), m_profile(profile), d(profile.frameDuration),
          n(static_cast<qsizetype>(profile.rms.size())),
          m_voiced(SilenceSplitter::voicedFrames(profile)) {}

    void fit(std::vector<Sentence>& sentences) const {
        const double duration = d * static_cast<double>(n);
        for (Sentence& sentence : sentences) {
            sentence.start = std::clamp(sentence.start, 0.0, duration);
            sentence.end = std::clamp(sentence.end, sentence.start, duration);
        }
        const size_t count = sentences.size();
        // cuts[k]: the frame between sentence k and k + 1, or -1 where they are not close.
        std::vector<qsizetype> cuts(count > 0 ? count - 1 : 0, -1);
        for (size_t k = 0; k + 1 < count; ++k)
            if (sentences[k + 1].start - sentences[k].end <= 2 * m_params.reach)
                cuts[k] = cutBetween(sentences[k], sentences[k + 1]);

        double previousEnd = 0;
        for (size_t k = 0; k < count; ++k) {
            const qsizetype before = k > 0 ? cuts[k - 1] : -1;
            const qsizetype after = k + 1 < count ? cuts[k] : -1;
            const double nextLimit =
                k + 1 < count
                    ? (after >= 0 ? seconds(after) : sentences[k + 1].start - m_params.reach)
                    : duration;
            Sentence& sentence = sentences[k];
            fitOne(sentence, before, after, previousEnd, std::max(nextLimit, previousEnd));
            previousEnd = sentence.end;
        }
    }

private:
    double seconds(qsizetype frame) const { return static_cast<double>(frame) * d; }
    qsizetype frameAt(double t) const {
        return std::clamp<qsizetype>(static_cast<qsizetype>(std::floor(t / d)), 0, n);
    }
    bool voiced(qsizetype frame) const {
        return frame >= 0 && static_cast<size_t>(frame) < m_voiced.size() &&
               m_voiced[static_cast<size_t>(frame)];
    }

    // The middle of the longest pause within `reach` of the approximate boundary, the nearest of
    // equally long ones; without a pause, the quietest frame there.
    qsizetype cutBetween(const Sentence& left, const Sentence& right) const {
        const double boundary = (left.end + right.start) / 2;
        // Never past the middle of either sentence: a loose cue must not hand its words over.
        const qsizetype from = frameAt(std::max(boundary - m_params.reach, left.middle()));
        const qsizetype to = frameAt(std::min(boundary + m_params.reach, right.middle()));
        const qsizetype aim = frameAt(boundary);
        qsizetype bestStart = -1, bestLength = 0, bestDistance = 0;
        for (qsizetype i = from; i < to;) {
            if (voiced(i)) {
                ++i;
                continue;
            }
            const qsizetype start = i;
            while (i < to && !voiced(i))
                ++i;
            const qsizetype length = i - start;
            const qsizetype distance = std::abs((start + i) / 2 - aim);
            if (length > bestLength || (length == bestLength && distance < bestDistance)) {
                bestStart = start;
                bestLength = length;
                bestDistance = distance;
            }
        }
        if (bestStart >= 0)
            return bestStart + bestLength / 2;
        qsizetype quietest = std::clamp(aim, from, std::max(from, to - 1));
        for (qsizetype i = from; i < to; ++i)
            if (m_profile.rms[static_cast<size_t>(i)] <
                m_profile.rms[static_cast<size_t>(quietest)])
                quietest = i;
        return quietest;
    }

    // Extends a free edge over the rest of a stretch of speech its range overlaps.
    qsizetype stretchStart(qsizetype frame, qsizetype limit) const {
        const auto gap = static_cast<qsizetype>(m_params.wordGap / d);
        for (qsizetype i = frame - 1; i >= limit; --i) {
            if (voiced(i)) {
                frame = i;
                continue;
            }
            if (frame - i > gap)
                break;
        }
        return frame;
    }
    qsizetype stretchEnd(qsizetype frame, qsizetype limit) const {
        const auto gap = static_cast<qsizetype>(m_params.wordGap / d);
        for (qsizetype i = frame + 1; i < limit; ++i) {
            if (voiced(i)) {
                frame = i;
                continue;
            }
            if (i - frame > gap)
                break;
        }
        return frame;
    }

    void fitOne(Sentence& sentence, qsizetype cutBefore, qsizetype cutAfter, double earliest,
                double latest) const {
        const qsizetype reach = static_cast<qsizetype>(std::lround(m_params.reach / d));
        const qsizetype lower = std::max(
            cutBefore >= 0 ? cutBefore : frameAt(sentence.start) - reach, frameAt(earliest));
        const qsizetype upper =
            std::min(cutAfter >= 0 ? cutAfter : frameAt(sentence.end) + reach, frameAt(latest));
        qsizetype first = -1, last = -1;
        for (qsizetype i = std::max<qsizetype>(lower, 0); i < std::min(upper, n); ++i)
            if (voiced(i)) {
                if (first < 0)
                    first = i;
                last = i;
            }
        if (first < 0) {
            sentence.start = std::clamp(sentence.start, earliest, latest);
            sentence.end = std::clamp(sentence.end, sentence.start, latest);
            return;
        }
        if (cutBefore < 0)
            first = stretchStart(first, std::max(lower - reach, frameAt(earliest)));
        if (cutAfter < 0)
            last = stretchEnd(last, std::min(upper + reach, frameAt(latest)));
        sentence.start =
            std::max(seconds(first) - m_params.pad, cutBefore >= 0 ? seconds(cutBefore) : earliest);
        sentence.end =
            std::min(seconds(last + 1) + m_params.pad, cutAfter >= 0 ? seconds(cutAfter) : latest);
        sentence.start = std::max(sentence.start, earliest);
        sentence.end = std::max(sentence.end, sentence.start);
    }

    const SpeechEdges& m_params;
    const EnergyProfile& m_profile;
    const double d;
    const qsizetype n;
    const std::vector<uint8_t> m_voiced;
};

} // namespace

std::vector<Sentence> SpeechEdges::fit(std::vector<Sentence> sentences,
                                       const EnergyProfile& profile) const {
    if (!profile.holdsTime())
        return sentences;
    std::sort(sentences.begin(), sentences.end(),
              [](const Sentence& a, const Sentence& b) { return a.start < b.start; });
    Fitting(*this, profile).fit(sentences);
    return sentences;
}

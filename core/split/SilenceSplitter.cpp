#include "split/SilenceSplitter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr float kDecibelFloor = -90.0f;
constexpr double kNoisePercentile = 0.1;
constexpr double kLoudPercentile = 0.95;
// A recording whose loud level stays below this holds no speech at all.
constexpr float kSilenceLevel = -60.0f;
constexpr double kThresholdFraction = 0.3;
constexpr double kLeastThresholdMargin = 6.0;
// A shorter pause is no better place to cut than the quietest frame.
constexpr double kLeastInnerPause = 0.08;

// Half-open range of frame indices.
struct Span {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype length() const { return end - start; }
};

struct Run {
    Span span;
    qsizetype voicedFrames = 0;
};

// The unvoiced stretches inside one long run, answering "the longest pause within a window" in
// logarithmic time, so that cutting a run of an hour stays cheap even when every cut lands near
// the run's start.
class PauseIndex {
public:
    PauseIndex(const std::vector<uint8_t>& voiced, Span run) {
        for (qsizetype i = run.start; i < run.end;) {
            if (voiced[static_cast<size_t>(i)]) {
                ++i;
                continue;
            }
            const qsizetype start = i;
            while (i < run.end && !voiced[static_cast<size_t>(i)])
                ++i;
            m_pauses.push_back({start, i});
        }
        // Bottom-up segment tree over pause indices; each node holds its range's best pause.
        const size_t count = m_pauses.size();
        m_tree.assign(2 * count, 0);
        for (size_t k = 0; k < count; ++k)
            m_tree[count + k] = k;
        for (size_t node = count; node-- > 1;)
            m_tree[node] = better(m_tree[2 * node], m_tree[2 * node + 1]);
    }

    // The longest run of unvoiced frames inside [from, to), with pauses that reach past the window
    // clipped to it; the earliest of equally long ones.
    std::optional<Span> longest(qsizetype from, qsizetype to) const {
        const auto first = std::partition_point(m_pauses.begin(), m_pauses.end(),
                                                [from](const Span& p) { return p.end <= from; });
        const auto last = std::partition_point(first, m_pauses.end(),
                                               [to](const Span& p) { return p.start < to; });
        if (first == last)
            return std::nullopt;
        const auto clipped = [&](const Span& p) {
            return Span{std::max(p.start, from), std::min(p.end, to)};
        };
        // Only the two outer pauses can be clipped; the ones between lie wholly inside.
        Span best = clipped(*first);
        const auto lo = static_cast<size_t>(first - m_pauses.begin());
        const auto hi = static_cast<size_t>(last - m_pauses.begin());
        if (hi - lo >= 3) {
            const Span& inner = m_pauses[bestIn(lo + 1, hi - 1)];
            if (inner.length() > best.length())
                best = inner;
        }
        if (hi - lo >= 2) {
            const Span outer = clipped(*(last - 1));
            if (outer.length() > best.length())
                best = outer;
        }
        return best;
    }

private:
    static constexpr size_t kNone = std::numeric_limits<size_t>::max();

    size_t better(size_t a, size_t b) const {
        if (a == kNone)
            return b;
        if (b == kNone)
            return a;
        const qsizetype la = m_pauses[a].length();
        const qsizetype lb = m_pauses[b].length();
        return la > lb || (la == lb && a < b) ? a : b;
    }

    // The best pause among indices [lo, hi), lo < hi.
    size_t bestIn(size_t lo, size_t hi) const {
        size_t result = kNone;
        const size_t count = m_pauses.size();
        for (lo += count, hi += count; lo < hi; lo >>= 1, hi >>= 1) {
            if (lo & 1)
                result = better(result, m_tree[lo++]);
            if (hi & 1)
                result = better(result, m_tree[--hi]);
        }
        return result;
    }

    std::vector<Span> m_pauses;
    std::vector<size_t> m_tree;
};

class Splitting {
public:
    Splitting(const SilenceSplitter& parameters, const EnergyProfile& profile)
        : m_params(parameters), d(profile.frameDuration),
          n(static_cast<qsizetype>(profile.rms.size())) {
        m_levels.reserve(profile.rms.size());
        for (const float rms : profile.rms)
            m_levels.push_back(EnergyProfile::decibels(rms, kDecibelFloor));
    }

    // Marks the frames above the voicing threshold; false when the recording is silent.
    bool markVoiced() {
        const std::optional<double> threshold = voicingThreshold();
        if (!threshold)
            return false;
        m_voiced.reserve(m_levels.size());
        for (const float level : m_levels)
            m_voiced.push_back(level > *threshold ? 1 : 0);
        return true;
    }

    std::vector<uint8_t> takeVoiced() { return std::move(m_voiced); }

    std::vector<TimeRange> ranges() {
        if (!markVoiced())
            return {};
        std::vector<Span> pieces;
        for (const Run& run : soundRuns())
            if (static_cast<double>(run.voicedFrames) * d >= m_params.minSound)
                cut(run.span, pieces);
        join(pieces);
        return padded(pieces);
    }

private:
    double seconds(qsizetype frames) const { return static_cast<double>(frames) * d; }

    // T = F + max(0.3 × (P − F), 6), F the 10th percentile level of all frames and P the 95th
    // of the frames that hold any sound; none when the recording is silent. Digital silence (an
    // edited video, a screen recording) is left out of P: a word after long runs of exact zeros
    // would otherwise sink below the 95th percentile and count as no speech at all.
    std::optional<double> voicingThreshold() const {
        std::vector<float> all = m_levels;
        const std::optional<float> noise = levelAt(all, kNoisePercentile);
        std::erase_if(all, [](float level) { return level <= kDecibelFloor; });
        const std::optional<float> loud = levelAt(all, kLoudPercentile);
        if (!noise || !loud || *loud < kSilenceLevel)
            return std::nullopt;
        return *noise + std::max(kThresholdFraction * (*loud - *noise), kLeastThresholdMargin);
    }

    // The level at a fraction of the way up the levels in order; selecting it gives the same
    // value as sorting, in linear time. Reorders `levels`.
    static std::optional<float> levelAt(std::vector<float>& levels, double fraction) {
        if (levels.empty())
            return std::nullopt;
        const auto rank = static_cast<qsizetype>(static_cast<double>(levels.size() - 1) * fraction);
        std::nth_element(levels.begin(), levels.begin() + rank, levels.end());
        return levels[static_cast<size_t>(rank)];
    }

    // Runs of voiced frames, joined across gaps shorter than minPause.
    std::vector<Run> soundRuns() const {
        std::vector<Run> runs;
        for (qsizetype i = 0; i < n;) {
            if (!m_voiced[static_cast<size_t>(i)]) {
                ++i;
                continue;
            }
            qsizetype e = i;
            while (e < n && m_voiced[static_cast<size_t>(e)])
                ++e;
            if (!runs.empty() && seconds(i - runs.back().span.end) < m_params.minPause) {
                runs.back().span.end = e;
                runs.back().voicedFrames += e - i;
            } else {
                runs.push_back({{i, e}, e - i});
            }
            i = e;
        }
        return runs;
    }

    // A piece longer than this many seconds is cut. A piece of one or two frames is never cut:
    // its middle third could be its first frame, and cutting there would make no progress, so a
    // maxSentence shorter than two frames counts as two frames.
    bool tooLong(Span piece) const {
        return piece.length() > 2 && seconds(piece.length()) > m_params.maxSentence;
    }

    // Frames kept on each side of a cut at a pause.
    qsizetype leastSideFrames() const {
        const double frames = std::floor(m_params.minSentence / d);
        if (!(frames > 0))
            return 0;
        return frames >= static_cast<double>(n) ? n : static_cast<qsizetype>(frames);
    }

    // Appends the pieces of `run` in time order: cut at the longest inner pause that leaves
    // minSentence on each side, else at the quietest frame of the middle third, until no piece is
    // longer than maxSentence. Pending pieces wait on a stack (earliest on top) rather than in
    // recursion, which a run with many pauses could make deep.
    void cut(Span run, std::vector<Span>& pieces) const {
        if (!tooLong(run)) {
            pieces.push_back(run);
            return;
        }
        const PauseIndex pauses(m_voiced, run);
        const qsizetype m = leastSideFrames();
        std::vector<Span> pending{run};
        while (!pending.empty()) {
            const Span piece = pending.back();
            pending.pop_back();
            if (piece.length() == 0)
                continue; // a pause at the very edge of a piece leaves nothing on that side
            if (!tooLong(piece)) {
                pieces.push_back(piece);
                continue;
            }
            const Span window{piece.start + m, piece.end - m};
            if (window.length() > 0) {
                const std::optional<Span> pause = pauses.longest(window.start, window.end);
                if (pause && seconds(pause->length()) >= kLeastInnerPause) {
                    pending.push_back({pause->end, piece.end});
                    pending.push_back({piece.start, pause->start});
                    continue;
                }
            }
            const qsizetype c = quietestOfMiddleThird(piece);
            pending.push_back({c, piece.end});
            pending.push_back({piece.start, c});
        }
    }

    // The earliest frame of the lowest level in the middle third. A piece of three or more frames
    // always has a middle third strictly inside it, so both sides of the cut keep a frame.
    qsizetype quietestOfMiddleThird(Span piece) const {
        const qsizetype third = piece.length() / 3;
        qsizetype quietest = piece.start + third;
        for (qsizetype i = quietest + 1; i < piece.end - third; ++i)
            if (m_levels[static_cast<size_t>(i)] < m_levels[static_cast<size_t>(quietest)])
                quietest = i;
        return quietest;
    }

    // Joins pieces shorter than minSentence to the neighbour across the smaller gap (backwards on a
    // tie), never beyond maxSentence. Works in one pass: `joined` holds the pieces already passed,
    // whose last one a later short piece may still extend.
    void join(std::vector<Span>& pieces) const {
        std::vector<Span> joined;
        joined.reserve(pieces.size());
        const size_t count = pieces.size();
        for (size_t i = 0; i < count; ++i) {
            Span& piece = pieces[i];
            const bool hasNext = i + 1 < count;
            if (joined.size() + (count - i) < 2 ||
                seconds(piece.length()) >= m_params.minSentence) {
                joined.push_back(piece);
                continue;
            }
            // The first piece has no gap before it; otherwise the smaller gap wins, a tie going
            // backwards.
            bool forwards = joined.empty();
            if (!forwards && hasNext)
                forwards = pieces[i + 1].start - piece.end < piece.start - joined.back().end;
            if (!forwards) {
                if (seconds(piece.end - joined.back().start) <= m_params.maxSentence) {
                    joined.back().end = piece.end;
                    continue;
                }
                forwards = hasNext;
            }
            if (forwards && seconds(pieces[i + 1].end - piece.start) <= m_params.maxSentence) {
                // The joined piece is examined again as the next one: it may still be short.
                pieces[i + 1].start = piece.start;
                continue;
            }
            joined.push_back(piece);
        }
        pieces = std::move(joined);
    }

    // Seconds with pad on each side, stopping at the midpoint of each gap and within the profile.
    std::vector<TimeRange> padded(const std::vector<Span>& pieces) const {
        std::vector<TimeRange> result;
        result.reserve(pieces.size());
        const double duration = seconds(n);
        for (size_t k = 0; k < pieces.size(); ++k) {
            const Span& piece = pieces[k];
            double start = seconds(piece.start) - m_params.pad;
            if (k > 0)
                start =
                    std::max(start, d * static_cast<double>(pieces[k - 1].end + piece.start) / 2);
            start = std::max(start, 0.0);
            double end = seconds(piece.end) + m_params.pad;
            if (k + 1 < pieces.size())
                end = std::min(end, d * static_cast<double>(piece.end + pieces[k + 1].start) / 2);
            end = std::min(end, duration);
            result.emplace_back(start, end);
        }
        return result;
    }

    const SilenceSplitter& m_params;
    const double d;
    const qsizetype n;
    std::vector<float> m_levels;
    std::vector<uint8_t> m_voiced;
};

} // namespace

std::vector<TimeRange> SilenceSplitter::split(const EnergyProfile& profile) const {
    // A profile without frames, or with frames of no length, holds no time to split.
    if (!profile.holdsTime())
        return {};
    return Splitting(*this, profile).ranges();
}

std::vector<uint8_t> SilenceSplitter::voicedFrames(const EnergyProfile& profile) {
    if (!profile.holdsTime())
        return {};
    const SilenceSplitter defaults;
    Splitting splitting(defaults, profile);
    return splitting.markVoiced() ? splitting.takeVoiced() : std::vector<uint8_t>{};
}

std::vector<TimeRange> SilenceSplitter::soundStretches(const EnergyProfile& profile) {
    SilenceSplitter unjoined;
    unjoined.minSentence = 0;
    return unjoined.split(profile);
}

std::vector<Sentence> SilenceSplitter::sentences(const EnergyProfile& profile) const {
    std::vector<Sentence> list;
    for (const TimeRange& range : split(profile))
        list.emplace_back(range.start, range.end);
    return list;
}

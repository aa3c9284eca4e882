#include "analysis/TimeWarp.h"

#include "base/QuellinError.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace {

// The cells searched: for each frame i of a, the frames [lo[i], hi[i]) of b. Both bounds never
// decrease from row to row, and each row starts no later than the previous one ends, so every
// row is reachable from the one before.
struct Window {
    std::vector<qsizetype> lo, hi;
};

struct StepCosts {
    double gapPenalty = 0;
    double gapCap = std::numeric_limits<double>::infinity();
};

double distance(const float* x, const float* y, int dimensions) {
    double sum = 0;
    for (int k = 0; k < dimensions; ++k) {
        const double difference = double(x[k]) - double(y[k]);
        sum += difference * difference;
    }
    return std::sqrt(sum);
}

Window fullWindow(qsizetype n, qsizetype m) {
    return {std::vector<qsizetype>(size_t(n), 0), std::vector<qsizetype>(size_t(n), m)};
}

Window bandWindow(qsizetype n, qsizetype m, qsizetype band) {
    Window window;
    const double slope = n > 1 ? double(m - 1) / double(n - 1) : 0;
    for (qsizetype i = 0; i < n; ++i) {
        const auto from = qsizetype(std::floor(double(i) * slope)) - band;
        const auto to = qsizetype(std::ceil(double(i + 1) * slope)) + band + 1;
        window.lo.push_back(std::clamp<qsizetype>(from, 0, m - 1));
        window.hi.push_back(std::clamp<qsizetype>(to, 1, m));
    }
    window.hi.back() = m;
    return window;
}

// The cells of a fine warp around the path of the same sequences at half length.
Window projectedWindow(const WarpPath& coarse, qsizetype n, qsizetype m, qsizetype radius) {
    Window window{std::vector<qsizetype>(size_t(n), m), std::vector<qsizetype>(size_t(n), 0)};
    for (const auto& [i, j] : coarse.steps) {
        for (qsizetype row = 2 * i; row <= std::min(2 * i + 1, n - 1); ++row) {
            window.lo[size_t(row)] = std::min(window.lo[size_t(row)], 2 * j);
            window.hi[size_t(row)] = std::max(window.hi[size_t(row)], std::min(2 * j + 2, m));
        }
    }
    // Widen by `radius` in both directions; the bounds are monotonic, so the lowest start within
    // `radius` rows is the one `radius` rows earlier.
    Window wide = window;
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype before = std::max<qsizetype>(i - radius, 0);
        const qsizetype after = std::min(i + radius, n - 1);
        wide.lo[size_t(i)] = std::max<qsizetype>(window.lo[size_t(before)] - radius, 0);
        wide.hi[size_t(i)] = std::min(window.hi[size_t(after)] + radius, m);
    }
    return wide;
}

enum Step : quint8 { Both, AOnly, BOnly };

WarpPath warpWithin(const FeatureFrames& a, const FeatureFrames& b, const Window& window,
                    const StepCosts& costs, const std::stop_token& stop,
                    const std::function<void(double)>& progress) {
    const auto n = qsizetype(a.count());
    const auto m = qsizetype(b.count());
    constexpr double unreachable = std::numeric_limits<double>::infinity();
    std::vector<qsizetype> offsets(size_t(n) + 1, 0);
    for (qsizetype i = 0; i < n; ++i)
        offsets[size_t(i) + 1] = offsets[size_t(i)] + window.hi[size_t(i)] - window.lo[size_t(i)];
    std::vector<quint8> steps(size_t(offsets.back()));
    std::vector<double> previous, current;
    qsizetype previousLo = 0, previousHi = 0;
    qsizetype cellsSinceCheck = 0;

    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype lo = window.lo[size_t(i)], hi = window.hi[size_t(i)];
        current.assign(size_t(hi - lo), unreachable);
        quint8* rowSteps = steps.data() + offsets[size_t(i)];
        for (qsizetype j = lo; j < hi; ++j) {
            const double d = distance(a.frame(size_t(i)), b.frame(size_t(j)), a.dimensions);
            const double gap = std::min(d, costs.gapCap) + costs.gapPenalty;
            double best = unreachable;
            quint8 step = Both;
            if (i == 0 && j == 0)
                best = d;
            if (i > 0 && j > 0 && j - 1 >= previousLo && j - 1 < previousHi)
                best = previous[size_t(j - 1 - previousLo)] + d;
            if (i > 0 && j >= previousLo && j < previousHi &&
                previous[size_t(j - previousLo)] + gap < best) {
                best = previous[size_t(j - previousLo)] + gap;
                step = AOnly;
            }
            if (j > lo && current[size_t(j - 1 - lo)] + gap < best) {
                best = current[size_t(j - 1 - lo)] + gap;
                step = BOnly;
            }
            current[size_t(j - lo)] = best;
            rowSteps[j - lo] = step;
        }
        std::swap(previous, current);
        previousLo = lo;
        previousHi = hi;
        cellsSinceCheck += hi - lo;
        if (cellsSinceCheck > 200'000) {
            cellsSinceCheck = 0;
            if (stop.stop_requested())
                throw OperationCancelled();
            if (progress)
                progress(double(i) / double(n));
        }
    }

    WarpPath path;
    const double total = previous.back();
    qsizetype i = n - 1, j = m - 1;
    while (true) {
        path.steps.emplace_back(i, j);
        if (i == 0 && j == 0)
            break;
        const quint8 step = steps[size_t(offsets[size_t(i)] + j - window.lo[size_t(i)])];
        if (step != BOnly)
            --i;
        if (step != AOnly)
            --j;
    }
    std::reverse(path.steps.begin(), path.steps.end());
    path.cost = total / double(path.steps.size());
    return path;
}

// Pairs of frames averaged: the sequence at half the frame rate.
FeatureFrames halved(const FeatureFrames& frames) {
    FeatureFrames result{frames.dimensions, frames.hop * 2, {}};
    const size_t count = frames.count();
    result.values.reserve((count + 1) / 2 * size_t(frames.dimensions));
    for (size_t i = 0; i < count; i += 2) {
        const float* x = frames.frame(i);
        const float* y = i + 1 < count ? frames.frame(i + 1) : x;
        for (int k = 0; k < frames.dimensions; ++k)
            result.values.push_back((x[k] + y[k]) * 0.5f);
    }
    return result;
}

} // namespace

WarpPath timeWarp(const FeatureFrames& a, const FeatureFrames& b, qsizetype band) {
    const auto n = qsizetype(a.count());
    const auto m = qsizetype(b.count());
    if (n == 0 || m == 0)
        return {};
    const Window window = band > 0 ? bandWindow(n, m, band) : fullWindow(n, m);
    return warpWithin(a, b, window, {}, {}, {});
}

WarpPath LongWarp::warp(const FeatureFrames& a, const FeatureFrames& b, std::stop_token stop,
                        const std::function<void(double)>& progress) const {
    if (a.count() == 0 || b.count() == 0)
        return {};
    // levels[0] is the sequences themselves; each further level halves the one before.
    std::deque<FeatureFrames> coarser;
    std::vector<std::pair<const FeatureFrames*, const FeatureFrames*>> levels{{&a, &b}};
    while (qsizetype(levels.back().first->count() * levels.back().second->count()) >
               coarsestCells &&
           std::min(levels.back().first->count(), levels.back().second->count()) >
               size_t(4 * radius)) {
        const auto& halfA = coarser.emplace_back(halved(*levels.back().first));
        const auto& halfB = coarser.emplace_back(halved(*levels.back().second));
        levels.emplace_back(&halfA, &halfB);
    }
    // The work of a level grows with its length; the weights make the progress even.
    double totalRows = 0;
    for (const auto& level : levels)
        totalRows += double(level.first->count());
    double rowsDone = 0;
    const StepCosts costs{gapPenalty, gapCap};
    WarpPath path;
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        const FeatureFrames& levelA = *level->first;
        const FeatureFrames& levelB = *level->second;
        const auto n = qsizetype(levelA.count());
        const auto m = qsizetype(levelB.count());
        const Window window =
            path.steps.empty() ? fullWindow(n, m) : projectedWindow(path, n, m, radius);
        const double rowsBefore = rowsDone;
        path = warpWithin(levelA, levelB, window, costs, stop, [&](double fraction) {
            if (progress)
                progress((rowsBefore + fraction * double(n)) / totalRows);
        });
        rowsDone += double(n);
    }
    if (progress)
        progress(1.0);
    return path;
}

#pragma once

#include "analysis/VoiceFeatures.h"

#include <QtGlobal>

#include <functional>
#include <limits>
#include <stop_token>
#include <utility>
#include <vector>

// Dynamic time warping of two feature sequences (same dimensions): the monotonic pairing of their
// frames with the least summed Euclidean distance. Plain functions, any thread.
struct WarpPath {
    // (frame of a, frame of b) from (0, 0) to (last of a, last of b); each step moves one frame
    // in a, in b, or in both.
    std::vector<std::pair<qsizetype, qsizetype>> steps;
    double cost = 0; // mean cost per step
};

// The Euclidean distance between two frames of `dimensions` values.
double frameDistance(const float* x, const float* y, int dimensions);

// Plain warping for short sequences (a take against its sentence). A band of `band` frames on each
// side of the straight line from start to end keeps time and memory linear; 0 means no band.
// Empty path when either sequence is empty.
WarpPath timeWarp(const FeatureFrames& a, const FeatureFrames& b, qsizetype band = 0);

// Warping for sequences of an hour or more, coarse to fine: the sequences are halved in length
// (pairs of frames averaged) until a full warp is cheap, and each finer warp searches only
// `radius` frames around the coarser path. Time and memory grow with the sum of the lengths.
//
// A step that moves in one sequence only (a "gap": a pause longer in one recording, or words
// the other does not have) costs its distance, at most `gapCap`, plus `gapPenalty`. The penalty
// keeps the slope near one where both say the same words; the cap lets a stretch that has no
// counterpart be passed over at a fixed price instead of being pulled onto its neighbours.
struct LongWarp {
    double gapPenalty = 0;
    double gapCap = std::numeric_limits<double>::infinity();
    qsizetype radius = 12;
    // Cells of the coarsest, unrestricted warp.
    qsizetype coarsestCells = 4'000'000;

    // Throws OperationCancelled when `stop` is requested (checked every few thousand cells);
    // `progress` receives the fraction done.
    WarpPath warp(const FeatureFrames& a, const FeatureFrames& b, std::stop_token stop = {},
                  const std::function<void(double)>& progress = {}) const;
    // What each step of a path through `a` and `b` costs, gaps priced as above.
    std::vector<float> stepCosts(const WarpPath& path, const FeatureFrames& a,
                                 const FeatureFrames& b) const;
};

#pragma once

#include "base/Sentence.h"
#include "media/EnergyProfile.h"

#include <vector>

// Fits sentences whose times are only approximate (subtitle cues, a transcript aligned to the
// sound) to the speech they hold, using the energy profile the opening already read. Pure
// function of its inputs; any thread. Durations are seconds.
//
// The rule, for sentences in time order:
// - Between two sentences whose approximate times lie within 2 × `reach` of each other, the cut
//   goes in the middle of the longest pause (a run of unvoiced frames) within `reach` of the
//   approximate boundary, the nearest of equally long ones; in speech without any pause there, at
//   the quietest frame.
// - Each sentence then keeps the voiced frames between its cuts, or within `reach` of its
//   approximate edge where it has no close neighbour. There, a stretch of speech (voiced frames
//   with gaps under `wordGap`) that its approximate range overlaps is kept whole even where it
//   reaches further, by at most `reach` again: no voiced frame of its own speech is cut off.
// - Its edges are its first and last voiced frame with `pad` of silence around them, never past a
//   cut, a neighbour or the file's ends. A sentence without a voiced frame keeps its approximate
//   times, limited likewise.
// Text and hard marks are kept; the count and order of sentences never change.
struct SpeechEdges {
    double pad = 0.15;
    double reach = 0.5;
    double wordGap = 0.25;

    std::vector<Sentence> fit(std::vector<Sentence> sentences, const EnergyProfile& profile) const;
};

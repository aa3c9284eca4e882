#pragma once

#include "base/Sentence.h"
#include "media/EnergyProfile.h"

#include <QString>

#include <optional>
#include <vector>

// The learner's own fixes to a list of sentences in time order: moving an edge, splitting,
// merging, retyping the text, and keeping those fixes when a new list arrives. Pure functions of
// their inputs, any thread; times are seconds. Each edit marks what it changed `edited` and
// returns false, changing nothing, when it does not apply (an index out of range, an edge already
// at its limit, a sentence too short to split, no next sentence).
namespace SentenceEdits {

// One press of a nudge key moves an edge this far.
inline constexpr double nudgeStep = 0.05;
// No edit leaves a sentence shorter than this.
inline constexpr double shortest = 0.2;
// A split looks this far either side of the time it is asked for.
inline constexpr double splitReach = 0.5;

enum class Edge { start, end };

// Moves one edge of the sentence at `index` by `steps` nudge steps (negative: earlier). It stops
// at its neighbour's edge, at 0 and at `duration`, and `shortest` before the other edge.
bool nudge(std::vector<Sentence>& sentences, qsizetype index, Edge edge, int steps,
           double duration);

// Where `split` cuts `sentence` asked for `near`: the middle of the quietest frame within
// `splitReach` of it, the nearest of equally quiet ones, at least `shortest` from either edge.
// None when the sentence is too short to leave two such halves.
std::optional<double> splitTime(const Sentence& sentence, double near,
                                const EnergyProfile& profile);
// Cuts the sentence at `index` in two at `splitTime`. Both halves keep the hard mark and the
// practice record; the words are shared out by where the cut lies (a word is never cut).
bool split(std::vector<Sentence>& sentences, qsizetype index, double near,
           const EnergyProfile& profile);

// Joins the sentence at `index` with the next one: hard when either was, the texts joined.
bool mergeWithNext(std::vector<Sentence>& sentences, qsizetype index);

// Gives the sentence at `index` the text typed (trimmed); an empty one removes its text.
bool setText(std::vector<Sentence>& sentences, qsizetype index, const QString& text);

// Puts the edited sentences of `old` into `found` where they still overlap one of its sentences;
// edited sentences in a stretch where `found` has none are dropped with it. A found sentence
// that a kept one covers by half or more gives way; one covered less keeps its longest uncovered
// stretch. `found` stays in time order. Gives the number of edited sentences kept. Any merge of
// new sentences into a session calls this, so that the learner's fixes survive it.
qsizetype keepEdited(const std::vector<Sentence>& old, std::vector<Sentence>& found);

} // namespace SentenceEdits

#pragma once

#include "base/Sentence.h"

#include <vector>

// Whether recognised text can be trusted, for the file as a whole and sentence by sentence. Works
// on the confidences the recogniser left on the sentences (0 to 1); sentences without one (from
// pauses, subtitles or a transcript) say nothing either way. Pure functions, any thread.
namespace TextConfidence {

// The duration-weighted mean confidence of the sentences that carry one; none when none does.
std::optional<double> fileConfidence(const std::vector<Sentence>& sentences);

// Whether the recognised text of a file is probably right as a whole. True when no sentence
// carries a confidence: there is nothing to doubt.
bool textReliable(const std::vector<Sentence>& sentences);

// Whether a sentence's recognised text should be shown as doubtful: its own confidence is low, or
// it was recognised in a file whose text as a whole is not reliable (`fileReliable`).
bool isDoubtful(const Sentence& sentence, bool fileReliable);
// Whether a view shows the sentence's text faded: doubtful, unless the learner chose to see the
// file's text plainly (`plain`).
bool isFaded(const Sentence& sentence, bool fileReliable, bool plain);

} // namespace TextConfidence

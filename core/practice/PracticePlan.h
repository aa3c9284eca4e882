#pragma once

#include "base/Sentence.h"
#include "practice/PracticeSettings.h"

#include <vector>

// One step of practising a sentence: a play of the sentence or the pause after it.
struct PracticeStep {
    enum class Kind { play, gap };

    Kind kind = Kind::play;
    int repetition = 1;  // counted from 1
    double duration = 0; // seconds

    bool operator==(const PracticeStep&) const = default;
};

// The time arithmetic of practising one sentence. Every pause is sized to the sentence's playing
// time so that the user has as long to say it back as it took to hear it.
namespace PracticePlan {

// The shortest pause, so that even a very short sentence leaves time to answer.
inline constexpr double minGap = 0.8;

// The time the sentence takes to play at `rate`; the rate is only kept above 0.1 here.
double playTime(const Sentence& sentence, double rate);
// The length of each pause under the settings (limited to their ranges), 0 when there is none.
double gap(const Sentence& sentence, const PracticeSettings& settings);
// play, pause, play, pause, … for each repetition; never empty.
std::vector<PracticeStep> steps(const Sentence& sentence, const PracticeSettings& settings);
double totalTime(const Sentence& sentence, const PracticeSettings& settings);
// The longest recording of the user's attempt: 60 % more than the playing time plus a second,
// never less than 3 seconds.
double takeLimit(const Sentence& sentence, double rate);

} // namespace PracticePlan

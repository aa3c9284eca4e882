#include "practice/PracticePlan.h"

#include <algorithm>

namespace PracticePlan {

double playTime(const Sentence& sentence, double rate) {
    return sentence.duration() / (rate >= 0.1 ? rate : 0.1); // a rate that is not a number too
}

double gap(const Sentence& sentence, const PracticeSettings& settings) {
    const PracticeSettings limited = settings.clamped();
    if (limited.gapFactor <= 0)
        return 0;
    return std::max(playTime(sentence, limited.rate) * limited.gapFactor, minGap);
}

std::vector<PracticeStep> steps(const Sentence& sentence, const PracticeSettings& settings) {
    const PracticeSettings limited = settings.clamped();
    const double play = playTime(sentence, limited.rate);
    const double pause = gap(sentence, limited);
    std::vector<PracticeStep> plan;
    plan.reserve(static_cast<size_t>(limited.repeats) * 2);
    for (int repetition = 1; repetition <= limited.repeats; ++repetition) {
        plan.push_back({PracticeStep::Kind::play, repetition, play});
        if (pause > 0)
            plan.push_back({PracticeStep::Kind::gap, repetition, pause});
    }
    return plan;
}

double totalTime(const Sentence& sentence, const PracticeSettings& settings) {
    double total = 0;
    for (const PracticeStep& step : steps(sentence, settings))
        total += step.duration;
    return total;
}

double takeLimit(const Sentence& sentence, double rate) {
    return std::max(playTime(sentence, rate) * 1.6 + 1.0, 3.0);
}

} // namespace PracticePlan

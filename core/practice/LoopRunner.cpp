#include "practice/LoopRunner.h"

#include "base/QuellinError.h"

namespace LoopRunner {

// The parameters are taken by value: they live in the coroutine frame, so the sentence and the
// operations stay alive across every suspension whatever the caller does with its copies.
QCoro::Task<bool> run(Sentence sentence, PracticeSettings settings, Play play, Wait wait,
                      Phase phase, std::stop_token stop) {
    const PracticeSettings limited = settings.clamped();
    const std::vector<PracticeStep> plan = PracticePlan::steps(sentence, limited);
    size_t completed = 0;
    for (const PracticeStep& step : plan) {
        if (stop.stop_requested())
            break;
        if (phase)
            phase(step);
        bool ok = false;
        try {
            // A missing operation cannot complete its step.
            if (step.kind == PracticeStep::Kind::play) {
                if (play)
                    ok = co_await play(sentence, limited.rate);
            } else if (wait) {
                ok = co_await wait(step.duration);
            }
        } catch (const OperationCancelled&) {
            ok = false;
        }
        if (!ok || stop.stop_requested())
            break;
        ++completed;
    }
    co_return completed == plan.size();
}

} // namespace LoopRunner

#pragma once

#include "base/Sentence.h"
#include "practice/PracticePlan.h"
#include "practice/PracticeSettings.h"

#include <QCoroTask>

#include <functional>
#include <stop_token>

// Walks the plan of one sentence, handing each step to the caller's operations; it does no audio
// itself. Runs on the main thread; the steps run one at a time, in plan order.
namespace LoopRunner {

// Plays the sentence at the rate; true when it played to its end, false when it was stopped.
using Play = std::function<QCoro::Task<bool>(Sentence sentence, double rate)>;
// Waits the given seconds; true when the whole time passed, false when it was cut short.
using Wait = std::function<QCoro::Task<bool>(double seconds)>;
// Told about each step just before it starts.
using Phase = std::function<void(const PracticeStep& step)>;

// True when every step completed. The run stops at the first step whose operation reports false,
// and before the next step once `stop` is requested (so `play` and `wait` must return promptly
// when stopped). It never calls `phase` for a step it does not start. An operation that throws
// OperationCancelled counts as stopped; other exceptions are the caller's and pass through.
QCoro::Task<bool> run(Sentence sentence, PracticeSettings settings, Play play, Wait wait,
                      Phase phase, std::stop_token stop = {});

} // namespace LoopRunner

#pragma once

#include "base/Sentence.h"
#include "feedback/AttemptFeedback.h"
#include "practice/TakeShape.h"

#include <QString>

#include <optional>
#include <stop_token>

// Everything the practice screen and `quellin-cli attempt` learn from a take: where its voice
// is and how that voice compares with the sentence. Synchronous: run it off the main thread.
struct TakeAnalysis {
    TakeShape shape;
    // None when the sentence's sound cannot be read: the take is still shown and played.
    std::optional<AttemptFeedback> feedback;

    // None when the take cannot be read or a stop was requested (a take that cannot be
    // analysed is no take). `mediaPath` is any file whose first sound track is the sentence's.
    static std::optional<TakeAnalysis> read(const QString& takePath, const QString& mediaPath,
                                            TimeRange sentence, std::stop_token stop = {});
};

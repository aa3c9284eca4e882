#pragma once

#include "base/Sentence.h"

#include <QString>

#include <optional>
#include <variant>
#include <vector>

// What a running recognition reports, in the order the recogniser produced it.
struct RecognitionEvent {
    // How much of the file is recognised (seconds): from the start, how far in it has got;
    // outward from a later place, the parts done added up. Never goes back.
    struct Partial {
        double seconds = 0;
        bool operator==(const Partial&) const = default;
    };
    // A final result's words, and the stretch of the file it stands for when the engine says
    // (silence included: no words there means nothing was said).
    struct Final {
        std::vector<Word> words;
        std::optional<TimeRange> covered;
        bool operator==(const Final&) const = default;
    };
    // Recognition has ended; on failure with the recogniser's message, when it gave one.
    struct Finished {
        bool success = true;
        std::optional<QString> message;
        bool operator==(const Finished&) const = default;
    };

    std::variant<Partial, Final, Finished> value;

    static RecognitionEvent partial(double seconds) { return {Partial{seconds}}; }
    static RecognitionEvent final_(std::vector<Word> words,
                                   std::optional<TimeRange> covered = std::nullopt) {
        return {Final{std::move(words), covered}};
    }
    static RecognitionEvent finished(bool success, std::optional<QString> message = std::nullopt) {
        return {Finished{success, std::move(message)}};
    }

    bool operator==(const RecognitionEvent&) const = default;
};

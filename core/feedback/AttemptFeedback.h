#pragma once

#include "base/Sentence.h"

#include <QString>

#include <optional>
#include <span>
#include <stop_token>
#include <vector>

// How a take compares with the sentence it copies: melody, pace and pauses, each a figure the
// learner can check by ear, with the take's melody laid on the sentence's time axis. Plain value
// code, any thread; the analysis is synchronous (about a tenth of a second for a 10-second take).
struct AttemptFeedback {
    // Where one recording pauses and the other speaks, in seconds on the sentence's axis.
    struct PauseDifference {
        enum class Who { take, original }; // who pauses
        Who who = Who::take;
        TimeRange at;
        bool operator==(const PauseDifference&) const = default;
    };

    // One of the sentence's words as written, and whether the take says it; none when the
    // recogniser cannot check it (a word its dictionary lacks, a number written in digits).
    struct HeardWord {
        QString word;
        std::optional<bool> heard;
        bool operator==(const HeardWord&) const = default;
    };

    double hop = 0.01; // seconds between pitch frames
    // Semitones from each speaker's median every `hop` seconds of the sentence, NaN where
    // unvoiced; the take's line is warped onto the sentence's frames.
    std::vector<float> originalPitch;
    std::vector<float> takePitch;
    float originalMedianHertz = 0;
    float takeMedianHertz = 0;
    // The take's speech length ÷ the sentence's at normal speed (1.15: 15 % slower); none when
    // either holds no speech.
    std::optional<double> pace;
    // Correlation of the two melodies, 0…100; none when too few frames are voiced in both.
    std::optional<int> intonationMatch;
    std::vector<PauseDifference> pauses;
    // The factor that plays the take as loud as the sentence.
    double takeGain = 1;
    // The sentence's words in order; none when words cannot be checked (no text, or no recogniser
    // for its language on this computer). Filled in by the speech code, not by `of` and `read`.
    std::optional<std::vector<HeardWord>> heard;
    // For each frame of the take (`hop` apart), the sentence's time it was paired with.
    std::vector<double> takeToOriginal;

    // Mono samples at one rate: the sentence (at normal speed) and the take's voiced part.
    static AttemptFeedback of(std::span<const float> original, std::span<const float> take,
                              int sampleRate);
    // Reads the sentence from the media's sound and the take's part from its file. Throws
    // MediaError when either cannot be read, OperationCancelled on a stop request.
    static AttemptFeedback read(const QString& mediaPath, TimeRange sentence,
                                const QString& takePath, TimeRange take, std::stop_token stop = {});

    // The figures in the learner's words.
    static QString paceWords(double pace); // "You were 15 % slower than the original."
    static QString
    matchWords(int intonationMatch); // "close", "some differences", "different melody"
    static QString pauseWords(const PauseDifference& pause);

    // Unvoiced (NaN) frames compare equal to each other.
    bool operator==(const AttemptFeedback& other) const;

    static constexpr int sampleRate = 16000;
    // Scores from here are "close", from `someDifferences` "some differences".
    static constexpr int close = 70;
    static constexpr int someDifferences = 40;
};

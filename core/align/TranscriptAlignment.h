#pragma once

#include "analysis/TimeWarp.h"
#include "base/QuellinError.h"
#include "base/Sentence.h"
#include "media/EnergyProfile.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <stop_token>
#include <vector>

// The transcript could not give sentences: no text, no voice for its language, or a text that
// does not fit the recording. The description is in the user's terms.
class TranscriptError final : public QuellinError {
public:
    using QuellinError::QuellinError;
};

// Places the sentences of a transcript in a recording of it: the text is synthesised sentence by
// sentence (espeak-ng), both sounds become normalised MFCC sequences, a coarse-to-fine time warp
// pairs them, and each sentence's synthetic span maps to the recording. Runs on a worker thread;
// an hour of sound needs a few tens of megabytes. Times are seconds.
struct TranscriptAligner {
    // Silence synthesised around every sentence, so that pauses pair with pauses.
    double pause = 0.3;
    // Gap steps (see LongWarp) cost at most `gapCap` plus `gapPenalty`, in units of the distance
    // between normalised feature frames (matching speech pairs at about 1.5 to 3).
    LongWarp warp{0.3, 3.0};
    // A sentence is not in the recording (a title, a footnote: the warp passes over it in a
    // pause or squeezes it between its neighbours) when the stretch its words pair with is
    // voiced for less than `leastVoiced` of its length, or is shorter than `leastShare` of its
    // synthetic length. It is then left out.
    double leastVoiced = 0.3;
    double leastShare = 0.3;
    // A placement fits when its cost (Placement::cost) is at most `misfitCost`, its sentences
    // hold at least `leastCoverage` of the recording's voiced frames, and at most a third of the
    // text's sentences are absent. The values are measured, see TranscriptAlignment.cpp.
    double misfitCost = 1.3;
    double leastCoverage = 0.5;

    // The sentences found in the recording, with their text, in order, not overlapping, edges
    // as the warp placed them (not yet fitted to the speech). Throws TranscriptError when the
    // language has no voice, MediaError when the sound cannot be read, OperationCancelled on stop
    // (checked at least every 50 ms of work). `progress` receives the fraction done.
    struct Placement {
        std::vector<Sentence> sentences;
        qsizetype absent = 0; // sentences of the text that the recording does not hold
        // The warp's cost of the placed sentences (gaps within them included) against what
        // pairing their frames by chance would cost: well below 1 for the words that were read.
        double cost = 0;
        double coverage = 0; // the share of the recording's voiced frames the sentences hold
    };
    Placement place(const QStringList& texts, const QString& language, const QString& playableAudio,
                    const EnergyProfile& profile, std::stop_token stop = {},
                    const std::function<void(double)>& progress = {}) const;
    // Whether a placement is good enough to replace the pause split.
    bool fits(const Placement& placement) const;
};

// The sentences of `text` (transcriptSentenceTexts) placed in the playable audio and fitted to its
// speech (SpeechEdges over `profile`). Worker thread; throws TranscriptError when the text is
// empty, has no voice or does not fit, MediaError when the sound cannot be read, OperationCancelled
// on stop.
std::vector<Sentence> transcriptSentences(const QString& text, const QString& language,
                                          const QString& playableAudio,
                                          const EnergyProfile& profile, std::stop_token stop,
                                          const std::function<void(double)>& progress = {});

// The text of a transcript file: UTF-8 (with or without a byte order mark), UTF-16 with a byte
// order mark, or a legacy encoding that uchardet recognises. Throws TranscriptError when the file
// cannot be read or holds no text.
QString readTranscriptFile(const QString& path);

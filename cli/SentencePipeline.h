#pragma once

#include "base/Sentence.h"
#include "media/EnergyProfile.h"

#include <QString>

#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

// What opening a file in the window does, without the window, through the same code: open the
// sound (SoundOpening), split it at pauses, and (unless only pauses are wanted) find sentences by
// speech (SpeechSentences) in the language given, else the window's last one. Synchronous; run it
// off the main thread when there is
// one (speech recognition runs an event loop on the calling thread until it has ended).
class SentencePipeline {
public:
    struct Options {
        QString file;
        bool pausesOnly = false;
        std::optional<QString> language;
    };

    enum class Stage { reading, listening };
    // The stage and the fraction of it done so far.
    using Progress = std::function<void(Stage, double)>;

    struct Result {
        QString playable; // the file that was read: the media file
        EnergyProfile profile;
        double duration = 0;
        std::vector<Sentence> sentences;
        SplitMethod method = SplitMethod::pauses();
        std::optional<QString> notice;
    };

    explicit SentencePipeline(Options options) : m_options(std::move(options)) {}

    // Throws MediaError for a file that cannot be used, OperationCancelled when stopped.
    Result run(std::stop_token stop = {}, const Progress& progress = {}) const;

private:
    // Replaces the pause split by recognised sentences where recognition can run; otherwise
    // keeps it and says why in the notice.
    void findSentences(Result& result, std::stop_token stop, const Progress& progress) const;

    Options m_options;
};

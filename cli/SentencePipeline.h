#pragma once

#include "base/Sentence.h"
#include "media/EnergyProfile.h"

#include <QString>

#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

// What opening a file in the window does, without the window: find the playable sound, read its
// energy profile, split it at pauses, and (unless only pauses are wanted) recognise speech, with
// the same fall-backs and notices. Synchronous; run it off the main thread when there is one.
class SentencePipeline {
public:
    struct Options {
        QString file;
        QString cacheFolder;
        bool pausesOnly = false;
        std::optional<QString> language;
    };

    enum class Stage { converting, reading, listening };
    // The stage and the fraction of it done so far.
    using Progress = std::function<void(Stage, double)>;

    struct Result {
        QString playable; // the file that was read: the media file or its cached sound track
        EnergyProfile profile;
        double duration = 0;
        std::vector<Sentence> sentences;
        SplitMethod method = SplitMethod::pauses();
        std::optional<QString> notice;
    };

    explicit SentencePipeline(Options options) : m_options(std::move(options)) {}

    // Throws MediaError for a file that cannot be used, OperationCancelled when stopped.
    Result run(std::stop_token stop = {}, const Progress& progress = {}) const;

    // The media file's path as the window names it: absolute and clean, so that both find the
    // same cached sound track.
    static QString canonicalPath(const QString& file);
    // $XDG_CACHE_HOME/Quellin/Audio.
    static QString standardCacheFolder();
    // The recognition language the window last used ("language" in its settings), if any.
    static std::optional<QString> savedLanguage();

private:
    // Replaces the pause split by recognised sentences where recognition can run; otherwise
    // keeps it and says why in the notice.
    void findSentences(Result& result, std::stop_token stop, const Progress& progress) const;

    Options m_options;
};

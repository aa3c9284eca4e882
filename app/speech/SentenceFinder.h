#pragma once

#include "speech/Transcriber.h"

#include <QPointer>

#include <chrono>
#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

// Finds the sentences of a sound file by speech recognition: asks for permission, checks that the
// language's model is installed, recognises and groups the words into sentences with text. Where
// any of that fails the sentences split at pauses stay, and the outcome carries the notice that
// says why. Shared by the application model and quellin-cli.
class SentenceFinder {
public:
    struct Outcome {
        // Sentences found by speech in the language (empty text where the recogniser heard no
        // words in a stretch of sound); none when the pause split stays.
        std::optional<std::vector<Sentence>> sentences;
        // Why the pause split stays; none when recognition found sentences.
        std::optional<QString> notice;
    };

    // `duration`: the sound's length in seconds (the last sentence ends there at the latest).
    // `sound`: where the recording holds sound (SilenceSplitter::soundStretches). Each stretch
    // stays in the sentences, without text where nothing was recognised in it; only when
    // neither the recogniser nor the pause split finds speech does the pause split stay, with
    // the no-speech notice.
    // `model` (a ListeningModel, held weakly) is told when listening starts and how far it has
    // got. Throws OperationCancelled when the stop token asks or the transcriber goes away.
    // `from`: the file time recognised first (Transcriber::transcribe). `interim`, when given,
    // is shown the sentences found so far while recognition runs (main thread, at most every
    // interimInterval): those of the stretches in `covered`, which are the only ones that count.
    using Interim =
        std::function<void(std::vector<Sentence> found, std::vector<TimeRange> covered)>;
    static constexpr std::chrono::milliseconds interimInterval{1500};
    static QCoro::Task<Outcome> find(QPointer<Transcriber> transcriber, QString audio,
                                     QString language, double duration,
                                     std::vector<TimeRange> sound, QPointer<QObject> model,
                                     std::stop_token stop = {}, double from = 0,
                                     Interim interim = {});

    static QString notAuthorizedNotice();
    static QString stoppedNotice(const QString& reason);
    static QString noSpeechNotice(const QString& language);
    // The language part of a locale identifier ("en" for en-US), or "en" when there is none.
    static QString languageCode(const QString& language);
};

#pragma once

#include "speech/Transcriber.h"

#include "base/Sentence.h"
#include "media/EnergyProfile.h"

#include <QCoroTask>
#include <QPointer>

#include <optional>
#include <stop_token>
#include <vector>

// Where the sentences of an opened sound come from. The pause split (SilenceSplitter) is always
// there first; a source replaces it when it finds sentences, and otherwise says why it stays.
// Speech recognition is the one source today; subtitles or a transcript would be further
// implementations, picked where the window (AppModel::findSentences) and quellin-cli
// (SentencePipeline::findSentences) pick this one. Main thread: a source reports to the thread
// it was started on.
class SentenceSource {
public:
    struct Found {
        // None when the pause split stays.
        std::optional<std::vector<Sentence>> sentences;
        SplitMethod method = SplitMethod::pauses(); // how `sentences` were found
        std::optional<QString> notice;              // why the pause split stays
    };

    virtual ~SentenceSource() = default;
    // `audio`: the playable sound; `profile`: its energy; `duration`: its length in seconds.
    // Throws OperationCancelled when stopped; any other failure becomes the notice.
    virtual QCoro::Task<Found> find(QString audio, double duration, EnergyProfile profile,
                                    std::stop_token stop) = 0;
};

// Sentences by speech recognition in one language (SentenceFinder), with its fall-backs and
// notices. `listener` (a ListeningModel, held weakly) follows the listening; the transcriber is
// held weakly too, and its going away counts as a stop. `from`: the file time (seconds) of the
// sentence the user is at, recognised first.
class SpeechSentences final : public SentenceSource {
public:
    SpeechSentences(QPointer<Transcriber> transcriber, QString language, QPointer<QObject> listener,
                    double from = 0)
        : m_transcriber(std::move(transcriber)), m_language(std::move(language)),
          m_listener(std::move(listener)), m_from(from) {}

    QCoro::Task<Found> find(QString audio, double duration, EnergyProfile profile,
                            std::stop_token stop) override;

private:
    QPointer<Transcriber> m_transcriber;
    QString m_language;
    QPointer<QObject> m_listener;
    double m_from;
};

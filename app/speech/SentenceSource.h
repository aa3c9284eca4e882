#pragma once

#include "speech/Transcriber.h"

#include "base/Sentence.h"
#include "media/EnergyProfile.h"
#include "subtitles/SubtitleTrack.h"

#include <QCoroTask>
#include <QPointer>

#include <optional>
#include <stop_token>
#include <vector>

// Where the sentences of an opened sound come from. The pause split (SilenceSplitter) is always
// there first; a source replaces it when it finds sentences, and otherwise says why it stays.
// Speech recognition and subtitles are the sources; the window (AppModel::findSentences) and
// quellin-cli (SentencePipeline::findSentences) pick one. Main thread: a source reports to the
// thread it was started on.
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
// held weakly too, and its going away counts as a stop.
class SpeechSentences final : public SentenceSource {
public:
    SpeechSentences(QPointer<Transcriber> transcriber, QString language, QPointer<QObject> listener)
        : m_transcriber(std::move(transcriber)), m_language(std::move(language)),
          m_listener(std::move(listener)) {}

    QCoro::Task<Found> find(QString audio, double duration, EnergyProfile profile,
                            std::stop_token stop) override;

private:
    QPointer<Transcriber> m_transcriber;
    QString m_language;
    QPointer<QObject> m_listener;
};

// Sentences from one subtitle track (subtitleSentences), read and fitted to the sound on the
// QtConcurrent pool. Why a track gives no sentences (not text, unreadable, no cues) becomes the
// notice, in SubtitleError's words (they name the track); the method names the track's language
// and source, which a session remembers.
class SubtitleSentences final : public SentenceSource {
public:
    explicit SubtitleSentences(SubtitleTrack track) : m_track(std::move(track)) {}

    QCoro::Task<Found> find(QString audio, double duration, EnergyProfile profile,
                            std::stop_token stop) override;

private:
    SubtitleTrack m_track;
};

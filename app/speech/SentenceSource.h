#pragma once

#include "speech/SentenceFinder.h"
#include "speech/Transcriber.h"

#include "base/Sentence.h"
#include "media/EnergyProfile.h"
#include "subtitles/SubtitleTrack.h"

#include <QCoroTask>
#include <QPointer>

#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

// Where the sentences of an opened sound come from. The pause split (SilenceSplitter) is always
// there first; a source replaces it when it finds sentences, and otherwise says why it stays.
// Speech recognition, subtitles and transcripts are the sources; the window
// (AppModel::findSentences) and quellin-cli (SentencePipeline::findSentences) pick one. Main
// thread: a source reports to the thread it was started on.
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
    // `interim`: shown the sentences found so far while recognition runs (SentenceFinder::find).
    SpeechSentences(QPointer<Transcriber> transcriber, QString language, QPointer<QObject> listener,
                    double from = 0, SentenceFinder::Interim interim = {})
        : m_transcriber(std::move(transcriber)), m_language(std::move(language)),
          m_listener(std::move(listener)), m_from(from), m_interim(std::move(interim)) {}

    QCoro::Task<Found> find(QString audio, double duration, EnergyProfile profile,
                            std::stop_token stop) override;

private:
    QPointer<Transcriber> m_transcriber;
    QString m_language;
    QPointer<QObject> m_listener;
    double m_from;
    SentenceFinder::Interim m_interim;
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

// A transcript to align to the sound: its text, or the file that holds it (read when aligning,
// in whatever encoding uchardet finds), the language to synthesise it in (an espeak-ng voice's
// code, BCP 47 style) and what the user knows it by ("talk.de.txt", "pasted text").
struct Transcript {
    QString text;
    QString path;
    QString language;
    QString source;
    bool operator==(const Transcript&) const = default;
};

// A transcript file ("lesson.de.txt"), its language from the tag before its suffix when that
// names one.
Transcript transcriptFile(const QString& path);

// The transcripts beside a media file: "talk.txt" and "talk.<language>.txt" for "talk.mp4",
// sorted by name, their language from the tag (empty when there is none). Reads the folder.
std::vector<Transcript> transcriptsBeside(const QString& mediaPath);

// Sentences from a transcript aligned to the sound (transcriptSentences), on the QtConcurrent
// pool. Why it gives none (no text, no voice, does not fit the recording) becomes the notice.
// `progress` receives the fraction aligned, on the worker thread.
class TranscriptSentences final : public SentenceSource {
public:
    TranscriptSentences(Transcript transcript, std::function<void(double)> progress)
        : m_transcript(std::move(transcript)), m_progress(std::move(progress)) {}

    QCoro::Task<Found> find(QString audio, double duration, EnergyProfile profile,
                            std::stop_token stop) override;

private:
    Transcript m_transcript;
    std::function<void(double)> m_progress;
};

#include "speech/SentenceSource.h"

#include "speech/SentenceFinder.h"

#include "split/SilenceSplitter.h"
#include "subtitles/SubtitleSentences.h"

#include <QCoroFuture>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// The subtitles' sentences, handed back from the worker thread: exceptions stay on it.
struct SubtitleReading {
    std::optional<std::vector<Sentence>> sentences;
    std::optional<QString> failure;
};

// A function, not a lambda: GCC 12 destroys lambda temporaries of a co_await operand twice.
SubtitleReading readSubtitles(SubtitleTrack track, EnergyProfile profile, std::stop_token stop) {
    try {
        return {subtitleSentences(track, profile, stop), std::nullopt};
    } catch (const OperationCancelled&) {
        return {};
    } catch (const std::exception& error) {
        return {std::nullopt, describe(error)};
    }
}

} // namespace

QCoro::Task<SentenceSource::Found>
SpeechSentences::find(QString audio, double duration, EnergyProfile profile, std::stop_token stop) {
    std::vector<TimeRange> sound = SilenceSplitter::soundStretches(profile);
    SentenceFinder::Outcome outcome;
    try {
        outcome = co_await SentenceFinder::find(m_transcriber, audio, m_language, duration,
                                                std::move(sound), m_listener, stop);
    } catch (const OperationCancelled&) {
        throw;
    } catch (const std::exception& error) {
        outcome.notice = SentenceFinder::stoppedNotice(describe(error));
    }
    if (!outcome.sentences)
        co_return Found{std::nullopt, SplitMethod::pauses(), outcome.notice};
    co_return Found{std::move(outcome.sentences), SplitMethod::speech(m_language), std::nullopt};
}

QCoro::Task<SentenceSource::Found> SubtitleSentences::find(QString, double, EnergyProfile profile,
                                                           std::stop_token stop) {
    const QFuture<SubtitleReading> reading =
        QtConcurrent::run(&readSubtitles, m_track, std::move(profile), stop);
    SubtitleReading read = co_await reading;
    if (stop.stop_requested())
        throw OperationCancelled();
    if (!read.sentences)
        co_return Found{std::nullopt, SplitMethod::pauses(),
                        read.failure.value_or(QString()) +
                            QStringLiteral(" The sentences stay as they are.")};
    co_return Found{std::move(read.sentences),
                    SplitMethod::subtitles(m_track.language, m_track.source), std::nullopt};
}

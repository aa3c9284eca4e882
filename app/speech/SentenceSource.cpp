#include "speech/SentenceSource.h"

#include "speech/SentenceFinder.h"

#include "split/SilenceSplitter.h"

QCoro::Task<SentenceSource::Found>
SpeechSentences::find(QString audio, double duration, EnergyProfile profile, std::stop_token stop) {
    std::vector<TimeRange> sound = SilenceSplitter::soundStretches(profile);
    SentenceFinder::Outcome outcome;
    try {
        outcome = co_await SentenceFinder::find(m_transcriber, audio, m_language, duration,
                                                std::move(sound), m_listener, stop, m_from);
    } catch (const OperationCancelled&) {
        throw;
    } catch (const std::exception& error) {
        outcome.notice = SentenceFinder::stoppedNotice(describe(error));
    }
    if (!outcome.sentences)
        co_return Found{std::nullopt, SplitMethod::pauses(), outcome.notice};
    co_return Found{std::move(outcome.sentences), SplitMethod::speech(m_language), std::nullopt};
}
